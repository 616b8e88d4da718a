#include "platform/netcfg.h"

#include <windows.h>
// After windows.h: the interfaces' identifiers are defined here, not taken from a library.
#include <initguid.h>
#include <netcfgx.h>

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

static_assert(sizeof(OboToken) == sizeof(OBO_TOKEN));

namespace {

template <class Interface, class Tag>
Interface* As(const ComPtr<Tag>& pointer) {
    return static_cast<Interface*>(pointer.get());
}

}  // namespace

HResult CoCreateNetCfg(NetCfg* netCfg) {
    void* object = nullptr;
    HRESULT result =
        ::CoCreateInstance(CLSID_CNetCfg, nullptr, CLSCTX_INPROC_SERVER, IID_INetCfg, &object);
    netCfg->Reset(object);
    return result;
}

HResult INetCfg_QueryLock(const NetCfg& netCfg, NetCfgLock* lock) {
    void* object = nullptr;
    HRESULT result = As<INetCfg>(netCfg)->QueryInterface(IID_INetCfgLock, &object);
    lock->Reset(object);
    return result;
}

HResult INetCfgLock_AcquireWriteLock(const NetCfgLock& lock, uint32_t timeoutMs,
                                     const char16_t* clientDescription) {
    LPWSTR lockedBy = nullptr;
    HRESULT result =
        As<INetCfgLock>(lock)->AcquireWriteLock(timeoutMs, W(clientDescription), &lockedBy);
    ::CoTaskMemFree(lockedBy);
    return result;
}

HResult INetCfgLock_ReleaseWriteLock(const NetCfgLock& lock) {
    return As<INetCfgLock>(lock)->ReleaseWriteLock();
}

HResult INetCfg_Initialize(const NetCfg& netCfg) {
    return As<INetCfg>(netCfg)->Initialize(nullptr);
}

HResult INetCfg_Uninitialize(const NetCfg& netCfg) {
    return As<INetCfg>(netCfg)->Uninitialize();
}

HResult INetCfg_QueryNetCfgClass(const NetCfg& netCfg, const Guid& classGuid,
                                 NetCfgClassSetup* classSetup) {
    void* object = nullptr;
    HRESULT result = As<INetCfg>(netCfg)->QueryNetCfgClass(
        reinterpret_cast<const GUID*>(&classGuid), IID_INetCfgClassSetup, &object);
    classSetup->Reset(object);
    return result;
}

HResult INetCfg_FindComponent(const NetCfg& netCfg, const char16_t* infId,
                              NetCfgComponent* component) {
    INetCfgComponent* object = nullptr;
    HRESULT result = As<INetCfg>(netCfg)->FindComponent(W(infId), &object);
    component->Reset(object);
    return result;
}

HResult INetCfg_Apply(const NetCfg& netCfg) {
    return As<INetCfg>(netCfg)->Apply();
}

HResult INetCfgClassSetup_Install(const NetCfgClassSetup& classSetup, const char16_t* infId,
                                  OboToken* oboToken, uint32_t setupFlags,
                                  uint32_t upgradeFromBuildNo, const char16_t* answerFile,
                                  const char16_t* answerSections, NetCfgComponent* component) {
    INetCfgComponent* object = nullptr;
    HRESULT result = As<INetCfgClassSetup>(classSetup)
                         ->Install(W(infId), reinterpret_cast<OBO_TOKEN*>(oboToken), setupFlags,
                                   upgradeFromBuildNo, W(answerFile), W(answerSections), &object);
    component->Reset(object);
    return result;
}

HResult INetCfgClassSetup_DeInstall(const NetCfgClassSetup& classSetup,
                                    const NetCfgComponent& component, OboToken* oboToken) {
    LPWSTR references = nullptr;
    HRESULT result = As<INetCfgClassSetup>(classSetup)
                         ->DeInstall(As<INetCfgComponent>(component),
                                     reinterpret_cast<OBO_TOKEN*>(oboToken), &references);
    ::CoTaskMemFree(references);
    return result;
}

HResult INetCfgComponent_QueryBindings(const NetCfgComponent& component,
                                       NetCfgComponentBindings* bindings) {
    void* object = nullptr;
    HRESULT result =
        As<INetCfgComponent>(component)->QueryInterface(IID_INetCfgComponentBindings, &object);
    bindings->Reset(object);
    return result;
}

HResult INetCfgComponentBindings_EnumBindingPaths(const NetCfgComponentBindings& bindings,
                                                  uint32_t flags, EnumNetCfgBindingPath* paths) {
    IEnumNetCfgBindingPath* object = nullptr;
    HRESULT result = As<INetCfgComponentBindings>(bindings)->EnumBindingPaths(flags, &object);
    paths->Reset(object);
    return result;
}

HResult IEnumNetCfgBindingPath_Reset(const EnumNetCfgBindingPath& paths) {
    return As<IEnumNetCfgBindingPath>(paths)->Reset();
}

HResult IEnumNetCfgBindingPath_Next(const EnumNetCfgBindingPath& paths, NetCfgBindingPath* path) {
    INetCfgBindingPath* object = nullptr;
    HRESULT result = As<IEnumNetCfgBindingPath>(paths)->Next(1, &object, nullptr);
    path->Reset(object);
    return result;
}

HResult INetCfgBindingPath_GetPathToken(const NetCfgBindingPath& path, char16_t** token) {
    LPWSTR text = nullptr;
    HRESULT result = As<INetCfgBindingPath>(path)->GetPathToken(&text);
    *token = reinterpret_cast<char16_t*>(text);
    return result;
}

HResult INetCfgBindingPath_IsEnabled(const NetCfgBindingPath& path) {
    return As<INetCfgBindingPath>(path)->IsEnabled();
}

HResult INetCfgBindingPath_Enable(const NetCfgBindingPath& path, bool enable) {
    return As<INetCfgBindingPath>(path)->Enable(enable ? TRUE : FALSE);
}

}  // namespace platform
