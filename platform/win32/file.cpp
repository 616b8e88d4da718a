#include "platform/file.h"

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

Handle CreateFileW(const char16_t* path) {
    HANDLE file = ::CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

bool WriteFile(Handle file, const void* data, uint32_t size, uint32_t* written) {
    DWORD count = 0;
    BOOL ok = ::WriteFile(file, data, size, &count, nullptr);
    *written = count;
    return ok != FALSE;
}

}  // namespace platform
