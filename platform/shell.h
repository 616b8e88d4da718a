#pragma once
// SHELL32 and OLE32: administrator test, program start, special folders.

#include <cstdint>

#include "platform/types.h"

namespace platform {

bool IsUserAnAdmin();

// Returns the HINSTANCE-style result (> 32: success). A null verb is the file's default one.
intptr_t ShellExecuteW(Window owner, const char16_t* verb, const char16_t* file,
                       const char16_t* parameters, const char16_t* directory, int show);
intptr_t ShellExecuteA(Window owner, const char* verb, const char* file, const char* parameters,
                       const char* directory, int show);

// SHGetSpecialFolderLocation with no owner window; true on S_OK.
bool SHGetSpecialFolderLocation(int csidl, ItemList* items);
// `path` holds kMaxPath characters.
bool SHGetPathFromIDListW(ItemList items, char16_t* path);
void CoTaskMemFree(void* memory);

constexpr int kCsidlStartup = 0x07;        // the user's Startup folder
constexpr int kCsidlCommonStartup = 0x18;  // every user's Startup folder
// With no owner window and without creating the folder; `path` holds kMaxPath characters.
bool SHGetSpecialFolderPathW(int csidl, char16_t* path);

}  // namespace platform
