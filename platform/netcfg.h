#pragma once
// The network configuration engine (INetCfg and its companions). Interface
// pointers are held in ComPtr; each function is one method call on one interface.

#include <cstdint>

#include "platform/com.h"
#include "platform/setupapi.h"

namespace platform {

constexpr HResult kNetCfgNoWriteLock = static_cast<HResult>(0x8004A024);  // NETCFG_E_NO_WRITE_LOCK
constexpr HResult kNetCfgNotInitialized = static_cast<HResult>(0x8004A002);
constexpr HResult kNoDriverSelected =
    static_cast<HResult>(0x800F0203);  // SPAPI_E_NO_DRIVER_SELECTED

using NetCfg = ComPtr<struct INetCfgTag>;
using NetCfgLock = ComPtr<struct INetCfgLockTag>;
using NetCfgClassSetup = ComPtr<struct INetCfgClassSetupTag>;
using NetCfgComponent = ComPtr<struct INetCfgComponentTag>;
using NetCfgComponentBindings = ComPtr<struct INetCfgComponentBindingsTag>;
using EnumNetCfgBindingPath = ComPtr<struct IEnumNetCfgBindingPathTag>;
using NetCfgBindingPath = ComPtr<struct INetCfgBindingPathTag>;

constexpr uint32_t kOboUser = 1;               // OBO_USER
constexpr uint32_t kNsfPostSysInstall = 0x02;  // NSF_POSTSYSINSTALL
constexpr uint32_t kEbpBelow = 0x02;           // EBP_BELOW

// OBO_TOKEN
struct OboToken {
    uint32_t Type;
    void* pncc;
    const char16_t* pszwManufacturer;
    const char16_t* pszwProduct;
    const char16_t* pszwDisplayName;
    int32_t fRegistered;
};

// CoCreateInstance(CLSID_CNetCfg, in-process server, IID_INetCfg).
HResult CoCreateNetCfg(NetCfg* netCfg);
// QueryInterface for IID_INetCfgLock.
HResult INetCfg_QueryLock(const NetCfg& netCfg, NetCfgLock* lock);
// Who holds the lock, when it is not given, is not asked for.
HResult INetCfgLock_AcquireWriteLock(const NetCfgLock& lock, uint32_t timeoutMs,
                                     const char16_t* clientDescription);
HResult INetCfgLock_ReleaseWriteLock(const NetCfgLock& lock);

// Without the reserved argument.
HResult INetCfg_Initialize(const NetCfg& netCfg);
HResult INetCfg_Uninitialize(const NetCfg& netCfg);
// As IID_INetCfgClassSetup.
HResult INetCfg_QueryNetCfgClass(const NetCfg& netCfg, const Guid& classGuid,
                                 NetCfgClassSetup* classSetup);
// S_OK with the component, S_FALSE when there is none of that id.
HResult INetCfg_FindComponent(const NetCfg& netCfg, const char16_t* infId,
                              NetCfgComponent* component);

// Makes the changes made under the write lock take effect.
HResult INetCfg_Apply(const NetCfg& netCfg);

HResult INetCfgClassSetup_Install(const NetCfgClassSetup& classSetup, const char16_t* infId,
                                  OboToken* oboToken, uint32_t setupFlags,
                                  uint32_t upgradeFromBuildNo, const char16_t* answerFile,
                                  const char16_t* answerSections, NetCfgComponent* component);
// The references still held to the component are not asked for.
HResult INetCfgClassSetup_DeInstall(const NetCfgClassSetup& classSetup,
                                    const NetCfgComponent& component, OboToken* oboToken);

// QueryInterface for IID_INetCfgComponentBindings.
HResult INetCfgComponent_QueryBindings(const NetCfgComponent& component,
                                       NetCfgComponentBindings* bindings);
HResult INetCfgComponentBindings_EnumBindingPaths(const NetCfgComponentBindings& bindings,
                                                  uint32_t flags, EnumNetCfgBindingPath* paths);
HResult IEnumNetCfgBindingPath_Reset(const EnumNetCfgBindingPath& paths);
// One path at a time: S_OK with the path, S_FALSE after the last.
HResult IEnumNetCfgBindingPath_Next(const EnumNetCfgBindingPath& paths, NetCfgBindingPath* path);
// The token is the caller's, to free with CoTaskMemFree.
HResult INetCfgBindingPath_GetPathToken(const NetCfgBindingPath& path, char16_t** token);
// S_OK when enabled, S_FALSE when disabled.
HResult INetCfgBindingPath_IsEnabled(const NetCfgBindingPath& path);
HResult INetCfgBindingPath_Enable(const NetCfgBindingPath& path, bool enable);

}  // namespace platform
