#include "platform/shell_link.h"

#include <windows.h>
// After windows.h: CLSID_ShellLink and the interfaces' identifiers come from uuid.
#include <objbase.h>
#include <shlobj.h>

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

namespace {

template <class Interface, class Tag>
Interface* As(const ComPtr<Tag>& pointer) {
    return static_cast<Interface*>(pointer.get());
}

}  // namespace

HResult CoCreateShellLink(ShellLink* link) {
    void* object = nullptr;
    HRESULT result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IShellLinkW, &object);
    link->Reset(object);
    return result;
}

HResult IShellLinkW_QueryPersistFile(const ShellLink& link, PersistFile* file) {
    void* object = nullptr;
    HRESULT result = As<IShellLinkW>(link)->QueryInterface(IID_IPersistFile, &object);
    file->Reset(object);
    return result;
}

HResult IPersistFile_Load(const PersistFile& file, const char16_t* path, uint32_t mode) {
    return As<IPersistFile>(file)->Load(W(path), mode);
}

HResult IShellLinkW_GetPath(const ShellLink& link, char16_t* path, int size, uint32_t flags) {
    return As<IShellLinkW>(link)->GetPath(W(path), size, nullptr, flags);
}

}  // namespace platform
