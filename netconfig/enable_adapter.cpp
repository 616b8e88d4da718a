// Switching a network adapter off and on through the device installer.

#include <memory>
#include <new>
#include <string>

#include "common/pellora2_tools.h"
#include "netconfig/text_compare.h"
#include "netconfig/unique_keys.h"

namespace corvane {

namespace {

constexpr uint32_t kFirstGuidRoom = 10;
constexpr uint32_t kInstanceIdBytes = 1026;
constexpr char16_t kClassKey[] = u"SYSTEM\\CurrentControlSet\\Control\\Class\\";

// The NetCfgInstanceID of the device's driver key; false when any step fails.
bool ReadInstanceId(platform::DeviceInfoSet set, platform::SpDevInfoData& device,
                    char16_t (&instanceId)[kInstanceIdBytes / 2 + 1]) {
    uint32_t required = 0;
    platform::SetupDiGetDeviceRegistryPropertyW(set, &device, platform::kSpdrpDriver, nullptr,
                                                nullptr, 0, &required);
    if (required == 0) {
        return false;
    }
    std::u16string driverKey((required + 2 + 1) / 2, u'\0');
    if (!platform::SetupDiGetDeviceRegistryPropertyW(set, &device, platform::kSpdrpDriver, nullptr,
                                                     driverKey.data(), required + 2, nullptr)) {
        return false;
    }
    std::u16string path = kClassKey + std::u16string(driverKey.c_str());
    platform::RegistryKey opened = nullptr;
    if (platform::RegOpenKeyExW(platform::LocalMachine(), path.c_str(), platform::kKeyRead,
                                &opened) != platform::kErrorSuccess) {
        return false;
    }
    UniqueRegistryKey key(opened);
    uint32_t size = kInstanceIdBytes;
    return platform::RegQueryValueExW(key.Get(), u"NetCfgInstanceID", nullptr, instanceId, &size) ==
           platform::kErrorSuccess;
}

bool ChangeState(platform::DeviceInfoSet set, platform::SpDevInfoData& device, uint32_t stateChange,
                 uint32_t scope) {
    platform::SpPropChangeParams params = {};
    params.ClassInstallHeader.cbSize = sizeof params.ClassInstallHeader;
    params.ClassInstallHeader.InstallFunction = platform::kDifPropertyChange;
    params.StateChange = stateChange;
    params.Scope = scope;
    params.HwProfile = 0;
    return platform::SetupDiSetClassInstallParamsW(set, &device, &params.ClassInstallHeader,
                                                   sizeof params) &&
           platform::SetupDiCallClassInstaller(platform::kDifPropertyChange, set, &device);
}

}  // namespace

int CPellora2Tools::EnableAdapter(int enable, const char16_t* netCfgInstanceId) {
    uint32_t room = kFirstGuidRoom;
    std::unique_ptr<platform::Guid[]> guids(new (std::nothrow) platform::Guid[room]());
    uint32_t required = 0;
    if (!guids || !platform::SetupDiClassGuidsFromNameExW(u"Net", guids.get(), room, &required)) {
        if (!guids || platform::GetLastError() != platform::kErrorInsufficientBuffer) {
            return 0;
        }
        room = required;
        guids.reset(new (std::nothrow) platform::Guid[room]());
        if (!guids ||
            !platform::SetupDiClassGuidsFromNameExW(u"Net", guids.get(), room, &required)) {
            return 0;
        }
    }
    UniqueDeviceInfoSet set(platform::SetupDiGetClassDevsW(guids.get(), platform::kDigcfPresent));
    if (!set) {
        return 0;
    }
    platform::SpDevInfoData device = {};
    device.cbSize = sizeof device;
    for (uint32_t index = 0; platform::SetupDiEnumDeviceInfo(set.Get(), index, &device); ++index) {
        char16_t instanceId[kInstanceIdBytes / 2 + 1] = {};
        if (!ReadInstanceId(set.Get(), device, instanceId) ||
            !EqualNoCase(instanceId, netCfgInstanceId)) {
            continue;
        }
        // A device disabled in every hardware profile comes back only through the global
        // scope.
        if (enable) {
            ChangeState(set.Get(), device, platform::kDicsEnable, platform::kDicsFlagGlobal);
        }
        ChangeState(set.Get(), device, enable ? platform::kDicsEnable : platform::kDicsDisable,
                    platform::kDicsFlagConfigSpecific);
    }
    return 1;
}

}  // namespace corvane
