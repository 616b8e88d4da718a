#pragma once
// SHELL32's shell link objects: the target of a shortcut (.lnk) file. Each function is one
// method call on one interface.

#include <cstdint>

#include "platform/com.h"

namespace platform {

using ShellLink = ComPtr<struct IShellLinkWTag>;
using PersistFile = ComPtr<struct IPersistFileTag>;

constexpr uint32_t kStgmRead = 0x00000000;     // STGM_READ
constexpr uint32_t kSlgpUncPriority = 0x0002;  // SLGP_UNCPRIORITY

// CoCreateInstance(CLSID_ShellLink, in-process server, IID_IShellLinkW).
HResult CoCreateShellLink(ShellLink* link);
// QueryInterface for IID_IPersistFile.
HResult IShellLinkW_QueryPersistFile(const ShellLink& link, PersistFile* file);
HResult IPersistFile_Load(const PersistFile& file, const char16_t* path, uint32_t mode);
// Without the find data; `size` in characters.
HResult IShellLinkW_GetPath(const ShellLink& link, char16_t* path, int size, uint32_t flags);

}  // namespace platform
