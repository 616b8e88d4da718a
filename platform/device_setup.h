#pragma once
// SETUPAPI's device installer: device lists of a class, their properties, and state changes
// through the class installer.

#include <cstdint>

#include "platform/setupapi.h"

namespace platform {

using DeviceInfoSet = void*;  // HDEVINFO

constexpr uint32_t kDigcfPresent = 0x2;        // DIGCF_PRESENT
constexpr uint32_t kSpdrpDriver = 0x9;         // SPDRP_DRIVER
constexpr uint32_t kDifPropertyChange = 0x12;  // DIF_PROPERTYCHANGE
constexpr uint32_t kDicsEnable = 1;
constexpr uint32_t kDicsDisable = 2;
constexpr uint32_t kDicsFlagGlobal = 1;
constexpr uint32_t kDicsFlagConfigSpecific = 2;

// SP_DEVINFO_DATA
struct SpDevInfoData {
    uint32_t cbSize;
    Guid ClassGuid;
    uint32_t DevInst;
    uintptr_t Reserved;
};

// SP_CLASSINSTALL_HEADER
struct SpClassInstallHeader {
    uint32_t cbSize;
    uint32_t InstallFunction;
};

// SP_PROPCHANGE_PARAMS
struct SpPropChangeParams {
    SpClassInstallHeader ClassInstallHeader;
    uint32_t StateChange;
    uint32_t Scope;
    uint32_t HwProfile;
};

// On the local machine.
bool SetupDiClassGuidsFromNameExW(const char16_t* className, Guid* classGuidList,
                                  uint32_t classGuidListSize, uint32_t* requiredSize);
// No enumerator and no owner window; nullptr on failure (Windows' INVALID_HANDLE_VALUE).
DeviceInfoSet SetupDiGetClassDevsW(const Guid* classGuid, uint32_t flags);
bool SetupDiEnumDeviceInfo(DeviceInfoSet set, uint32_t index, SpDevInfoData* device);
bool SetupDiGetDeviceRegistryPropertyW(DeviceInfoSet set, SpDevInfoData* device, uint32_t property,
                                       uint32_t* type, void* buffer, uint32_t size,
                                       uint32_t* requiredSize);
bool SetupDiSetClassInstallParamsW(DeviceInfoSet set, SpDevInfoData* device,
                                   SpClassInstallHeader* params, uint32_t size);
bool SetupDiCallClassInstaller(uint32_t installFunction, DeviceInfoSet set, SpDevInfoData* device);
bool SetupDiDestroyDeviceInfoList(DeviceInfoSet set);

}  // namespace platform
