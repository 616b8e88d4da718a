// corvane-logview: switches the shared diagnostic ring on and prints its lines.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "common/log_ring.h"
#include "tools/logview/options.h"
#include "tools/logview/output.h"
#include "tools/logview/ring_reader.h"
#include "tools/logview/shared_ring.h"

using namespace corvane::logview;

namespace {

constexpr DWORD kPollIntervalMs = 20;

std::atomic<bool> stopRequested{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        stopRequested = true;
        return TRUE;
    }
    return FALSE;
}

void Write(const Batch& batch) {
    if (batch.lost != 0) {
        std::fprintf(stderr, "corvane-logview: %u lines were overwritten before they were read\n",
                     batch.lost);
    }
    const std::string text = OutputText(batch.lines);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

int Follow(RingReader& reader, const Options& options) {
    DWORD lastLineTick = ::GetTickCount();
    while (!stopRequested) {
        Batch batch = reader.Poll();
        if (!batch.lines.empty() || batch.lost != 0) {
            Write(batch);
            lastLineTick = ::GetTickCount();
        } else if (options.exitAfterMs && ::GetTickCount() - lastLineTick >= *options.exitAfterMs) {
            return 0;
        }
        ::Sleep(kPollIntervalMs);
    }
    // Lines stored between the last poll and Ctrl+C.
    Write(reader.Poll());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const ParseResult parsed = ParseOptions(argc - 1, argv + 1);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "corvane-logview: %s\n\n%s", parsed.error.c_str(), kUsage);
        return 2;
    }
    const Options& options = parsed.options;
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // The lines are the writers' bytes; no text-mode translation of line feeds.
    _setmode(_fileno(stdout), _O_BINARY);

    SharedRing ring;
    if (ring.view() == nullptr) {
        std::fprintf(stderr, "corvane-logview: cannot open \"%s\" (error %u)\n",
                     corvane::log_ring::kName, ring.error());
        return 1;
    }
    ring.SwitchOn(options.datePrefix, options.timePrefix);
    RingReader reader(ring.view());
    if (options.dump) {
        Write(reader.Poll());
        return 0;
    }
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    std::fprintf(stderr, "corvane-logview: following \"%s\" (%s), Ctrl+C ends\n",
                 corvane::log_ring::kName, ring.created() ? "created" : "opened");
    return Follow(reader, options);
}
