#include "platform/device_setup.h"

// SetupAPI's header needs the Windows types first.
#include <windows.h>

#include <setupapi.h>

#include <cstddef>

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

static_assert(sizeof(SpDevInfoData) == sizeof(SP_DEVINFO_DATA));
static_assert(sizeof(SpPropChangeParams) == sizeof(SP_PROPCHANGE_PARAMS));

static SP_DEVINFO_DATA* D(SpDevInfoData* device) {
    return reinterpret_cast<SP_DEVINFO_DATA*>(device);
}

bool SetupDiClassGuidsFromNameExW(const char16_t* className, Guid* classGuidList,
                                  uint32_t classGuidListSize, uint32_t* requiredSize) {
    DWORD required = 0;
    BOOL ok = ::SetupDiClassGuidsFromNameExW(W(className), reinterpret_cast<GUID*>(classGuidList),
                                             classGuidListSize, &required, nullptr, nullptr);
    *requiredSize = required;
    return ok != FALSE;
}

DeviceInfoSet SetupDiGetClassDevsW(const Guid* classGuid, uint32_t flags) {
    HDEVINFO set =
        ::SetupDiGetClassDevsW(reinterpret_cast<const GUID*>(classGuid), nullptr, nullptr, flags);
    return set == INVALID_HANDLE_VALUE ? nullptr : set;
}

bool SetupDiEnumDeviceInfo(DeviceInfoSet set, uint32_t index, SpDevInfoData* device) {
    return ::SetupDiEnumDeviceInfo(set, index, D(device)) != FALSE;
}

bool SetupDiGetDeviceRegistryPropertyW(DeviceInfoSet set, SpDevInfoData* device, uint32_t property,
                                       uint32_t* type, void* buffer, uint32_t size,
                                       uint32_t* requiredSize) {
    DWORD valueType = 0;
    DWORD required = 0;
    BOOL ok = ::SetupDiGetDeviceRegistryPropertyW(set, D(device), property, &valueType,
                                                  static_cast<BYTE*>(buffer), size, &required);
    if (type != nullptr) {
        *type = valueType;
    }
    if (requiredSize != nullptr) {
        *requiredSize = required;
    }
    return ok != FALSE;
}

bool SetupDiSetClassInstallParamsW(DeviceInfoSet set, SpDevInfoData* device,
                                   SpClassInstallHeader* params, uint32_t size) {
    return ::SetupDiSetClassInstallParamsW(
               set, D(device), reinterpret_cast<SP_CLASSINSTALL_HEADER*>(params), size) != FALSE;
}

bool SetupDiCallClassInstaller(uint32_t installFunction, DeviceInfoSet set, SpDevInfoData* device) {
    return ::SetupDiCallClassInstaller(installFunction, set, D(device)) != FALSE;
}

bool SetupDiDestroyDeviceInfoList(DeviceInfoSet set) {
    return ::SetupDiDestroyDeviceInfoList(set) != FALSE;
}

}  // namespace platform
