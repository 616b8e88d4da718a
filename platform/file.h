#pragma once
// KERNEL32 files: creating and writing one, and listing a folder's.

#include <cstdint>

#include "platform/types.h"

namespace platform {

// CreateFileW for writing only: GENERIC_WRITE, not shared, CREATE_ALWAYS (an existing file is
// truncated), normal attributes, default security. nullptr on failure, with the last error.
Handle CreateFileW(const char16_t* path);
Handle CreateFileA(const char* path);  // the same, 8-bit
// Default security; false with the last error (ERROR_ALREADY_EXISTS for an existing one).
bool CreateDirectoryA(const char* path);
// Synchronous WriteFile; `written` receives the bytes written.
bool WriteFile(Handle file, const void* data, uint32_t size, uint32_t* written);

// WIN32_FIND_DATAW, the fields read.
struct FindData {
    uint32_t dwFileAttributes;
    char16_t cFileName[kMaxPath];
};
using FindHandle = void*;
// `pattern` is a folder and a name with wildcards; nullptr when nothing matches (Windows'
// INVALID_HANDLE_VALUE), with the last error.
FindHandle FindFirstFileW(const char16_t* pattern, FindData* data);
bool FindNextFileW(FindHandle find, FindData* data);
bool FindClose(FindHandle find);

}  // namespace platform
