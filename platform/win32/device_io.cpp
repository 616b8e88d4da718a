#include "platform/device_io.h"

#include <windows.h>

namespace platform {

Handle CreateFileA(const char* path, uint32_t access, uint32_t share, uint32_t disposition,
                   uint32_t attributes) {
    HANDLE file = ::CreateFileA(path, access, share, nullptr, disposition, attributes, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

bool DeviceIoControl(Handle device, uint32_t code, const void* in, uint32_t inSize, void* out,
                     uint32_t outSize, uint32_t* returned) {
    DWORD count = 0;
    BOOL ok = ::DeviceIoControl(device, code, const_cast<void*>(in), inSize, out, outSize, &count,
                                nullptr);
    *returned = count;
    return ok != FALSE;
}

}  // namespace platform
