#include "platform/shell.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

// Windows 2000 exports IsUserAnAdmin from SHELL32 by ordinal only.
bool IsUserAnAdmin() {
    using IsUserAnAdminFn = BOOL(WINAPI*)();
    HMODULE shell32 = ::GetModuleHandleW(L"shell32.dll");
    auto isUserAnAdmin = reinterpret_cast<IsUserAnAdminFn>(
        reinterpret_cast<void*>(::GetProcAddress(shell32, MAKEINTRESOURCEA(680))));
    return isUserAnAdmin != nullptr && isUserAnAdmin() != FALSE;
}

intptr_t ShellExecuteW(Window owner, const char16_t* verb, const char16_t* file,
                       const char16_t* parameters, const char16_t* directory, int show) {
    return reinterpret_cast<intptr_t>(::ShellExecuteW(static_cast<HWND>(owner), W(verb), W(file),
                                                      W(parameters), W(directory), show));
}

intptr_t ShellExecuteA(Window owner, const char* verb, const char* file, const char* parameters,
                       const char* directory, int show) {
    return reinterpret_cast<intptr_t>(
        ::ShellExecuteA(static_cast<HWND>(owner), verb, file, parameters, directory, show));
}

bool SHGetSpecialFolderLocation(int csidl, ItemList* items) {
    LPITEMIDLIST list = nullptr;
    HRESULT result = ::SHGetSpecialFolderLocation(nullptr, csidl, &list);
    *items = list;
    return result == S_OK;
}

bool SHGetPathFromIDListW(ItemList items, char16_t* path) {
    return ::SHGetPathFromIDListW(static_cast<LPCITEMIDLIST>(items), W(path)) != FALSE;
}

void CoTaskMemFree(void* memory) {
    ::CoTaskMemFree(memory);
}

bool SHGetSpecialFolderPathW(int csidl, char16_t* path) {
    return ::SHGetSpecialFolderPathW(nullptr, W(path), csidl, FALSE) != FALSE;
}

}  // namespace platform
