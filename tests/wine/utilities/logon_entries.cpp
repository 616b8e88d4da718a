#include "tests/wine/utilities/logon_entries.h"

#include <windows.h>
// After windows.h, which they build on.
#include <objbase.h>
#include <shlobj.h>

#include <memory>

namespace utilities {

namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

struct KeyCloser {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using ScopedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

ScopedKey OpenRunKey() {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return ScopedKey(key);
}

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using Owned = std::unique_ptr<Interface, Releaser>;

// COM on this thread for as long as it lives, if it was not there already.
class ComScope {
  public:
    ComScope() : initialized_(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ComScope() {
        if (initialized_) {
            ::CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool initialized_;
};

bool SaveShortcut(const std::wstring& path, const std::wstring& target) {
    ComScope com;
    IShellLinkW* created = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&created)))) {
        return false;
    }
    Owned<IShellLinkW> link(created);
    IPersistFile* queried = nullptr;
    if (FAILED(link->SetPath(target.c_str())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&queried)))) {
        return false;
    }
    Owned<IPersistFile> file(queried);
    return SUCCEEDED(file->Save(path.c_str(), TRUE));
}

}  // namespace

RunValue::RunValue(std::wstring name, const std::wstring& command) : name_(std::move(name)) {
    ScopedKey key = OpenRunKey();
    written_ =
        key && ::RegSetValueExW(key.get(), name_.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(command.c_str()),
                                static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) ==
                   ERROR_SUCCESS;
}

RunValue::~RunValue() {
    if (ScopedKey key = OpenRunKey()) {
        ::RegDeleteValueW(key.get(), name_.c_str());
    }
}

StartupShortcut::StartupShortcut(const std::wstring& name, const std::wstring& target) {
    wchar_t folder[MAX_PATH];
    if (::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, TRUE) &&
        SaveShortcut(std::wstring(folder) + L"\\" + name + L".lnk", target)) {
        path_ = std::wstring(folder) + L"\\" + name + L".lnk";
    }
}

StartupShortcut::~StartupShortcut() {
    if (!path_.empty()) {
        ::DeleteFileW(path_.c_str());
    }
}

}  // namespace utilities
