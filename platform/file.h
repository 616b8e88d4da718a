#pragma once
// KERNEL32 files: creating and writing one.

#include <cstdint>

#include "platform/types.h"

namespace platform {

// CreateFileW for writing only: GENERIC_WRITE, not shared, CREATE_ALWAYS (an existing file is
// truncated), normal attributes, default security. nullptr on failure, with the last error.
Handle CreateFileW(const char16_t* path);
// Synchronous WriteFile; `written` receives the bytes written.
bool WriteFile(Handle file, const void* data, uint32_t size, uint32_t* written);

}  // namespace platform
