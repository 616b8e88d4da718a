#include "tools/logview/options.h"

#include <charconv>
#include <cstring>

namespace corvane::logview {

const char* const kUsage =
    "Usage: corvane-logview [--dump] [--no-date] [--no-time] [--exit-after-ms N]\n"
    "\n"
    "Opens the shared diagnostic ring \"PelloraPRJMANAGLOG\" (creating it when no program\n"
    "holds it), switches logging on and prints the lines that VORTA and VORTAU store,\n"
    "oldest first, as the raw bytes they wrote.\n"
    "\n"
    "  --dump              print the lines now in the ring and exit\n"
    "  --no-date           ask the writers to leave out the date prefix\n"
    "  --no-time           ask the writers to leave out the time prefix\n"
    "  --exit-after-ms N   stop following after N milliseconds without a new line\n"
    "  --help              show this text\n"
    "\n"
    "Without --dump the viewer follows the ring until Ctrl+C.\n";

static std::optional<uint32_t> ParseMilliseconds(const char* text) {
    uint32_t value = 0;
    const char* end = text + std::strlen(text);
    auto [stop, error] = std::from_chars(text, end, value);
    if (text == end || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

ParseResult ParseOptions(int count, const char* const* args) {
    ParseResult result;
    Options& options = result.options;
    for (int i = 0; i < count; ++i) {
        const std::string arg = args[i];
        if (arg == "--help" || arg == "-h" || arg == "/?") {
            options.help = true;
        } else if (arg == "--dump") {
            options.dump = true;
        } else if (arg == "--no-date") {
            options.datePrefix = false;
        } else if (arg == "--no-time") {
            options.timePrefix = false;
        } else if (arg == "--exit-after-ms") {
            if (i + 1 == count) {
                result.error = "--exit-after-ms needs a number of milliseconds";
                return result;
            }
            options.exitAfterMs = ParseMilliseconds(args[++i]);
            if (!options.exitAfterMs) {
                result.error =
                    "--exit-after-ms: not a number of milliseconds: " + std::string(args[i]);
                return result;
            }
        } else {
            result.error = "unknown option: " + arg;
            return result;
        }
    }
    if (options.dump && options.exitAfterMs) {
        result.error = "--exit-after-ms applies to following, not to --dump";
    }
    return result;
}

}  // namespace corvane::logview
