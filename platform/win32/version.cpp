#include "platform/version.h"

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

uint32_t GetFileVersionInfoSizeW(const char16_t* fileName) {
    DWORD handle = 0;
    return ::GetFileVersionInfoSizeW(W(fileName), &handle);
}

bool GetFileVersionInfoW(const char16_t* fileName, uint32_t size, void* block) {
    return ::GetFileVersionInfoW(W(fileName), 0, size, block) != FALSE;
}

bool VerQueryValueW(const void* block, const char16_t* subBlock, void** value, uint32_t* length) {
    UINT valueLength = 0;
    BOOL found = ::VerQueryValueW(block, W(subBlock), value, &valueLength);
    *length = valueLength;
    return found != FALSE;
}

}  // namespace platform
