// corvane-hold-ring NAME SIZE
// Plays another program of the session that made the diagnostic ring first, at a size of its
// own: creates the named mapping of SIZE bytes, switches it on with the next line due in the
// last slot of a full-size ring, prints "holding" and holds it until standard input ends.
// Exits 0 when no byte of it changed meanwhile, 1 when one did, 125 when it could not make it.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "common/log_ring.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using ScopedHandle = std::unique_ptr<void, HandleCloser>;

struct ViewUnmapper {
    void operator()(void* view) const { ::UnmapViewOfFile(view); }
};
using ScopedView = std::unique_ptr<void, ViewUnmapper>;

}  // namespace

int main(int argc, char** argv) {
    namespace ring = corvane::log_ring;
    if (argc != 3) {
        std::fputs("usage: corvane-hold-ring NAME SIZE\n", stderr);
        return 125;
    }
    DWORD size = std::strtoul(argv[2], nullptr, 10);
    ScopedHandle mapping(
        ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, argv[1]));
    if (!mapping || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        std::fprintf(stderr, "corvane-hold-ring: the mapping is not ours (error %lu)\n",
                     ::GetLastError());
        return 125;
    }
    ScopedView view(::MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!view || size < ring::kHeaderSize) {
        std::fprintf(stderr, "corvane-hold-ring: cannot map %lu bytes\n", size);
        return 125;
    }
    auto* bytes = static_cast<uint8_t*>(view.get());
    std::memset(bytes, '#', size);
    std::memset(bytes, 0, ring::kHeaderSize);
    bytes[ring::kEnabledOffset] = 1;
    ring::WriteCounter(bytes, ring::kSlotCount - 1);
    const std::vector<uint8_t> before(bytes, bytes + size);

    std::puts("holding");
    std::fflush(stdout);
    while (std::fgetc(stdin) != EOF) {
    }

    if (std::memcmp(before.data(), bytes, size) != 0) {
        std::fputs("corvane-hold-ring: the ring was written\n", stderr);
        return 1;
    }
    return 0;
}
