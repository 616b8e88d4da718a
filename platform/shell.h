#pragma once
// SHELL32 and OLE32: administrator test, program start, special folders.

#include <cstdint>

#include "platform/types.h"

namespace platform {

bool IsUserAnAdmin();

// ShellExecuteW with no owner window; returns the HINSTANCE-style result (> 32: success).
intptr_t ShellExecuteW(const char16_t* verb, const char16_t* file, const char16_t* parameters,
                       const char16_t* directory, int show);

// SHGetSpecialFolderLocation with no owner window; true on S_OK.
bool SHGetSpecialFolderLocation(int csidl, ItemList* items);
// `path` holds kMaxPath characters.
bool SHGetPathFromIDListW(ItemList items, char16_t* path);
void CoTaskMemFree(void* memory);

}  // namespace platform
