#include "platform/device_setup.h"

#include <cstring>
#include <string>

#include "platform/kernel.h"
#include "platform/sim/pc.h"

namespace platform {

namespace {

constexpr uint32_t kErrorNoMoreItems = 259;
constexpr uint32_t kErrorInvalidHandle = 6;
constexpr uint32_t kErrorInvalidUserBuffer = 1784;
constexpr uint32_t kErrorNoClassInstallParams = 0xE0000215;

// GUID_DEVCLASS_NET
constexpr Guid kNetClass = {
    0x4d36e972, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

bool IsNetName(const char16_t* name) {
    std::u16string text = name == nullptr ? u"" : name;
    return sim::Registry::Fold(text) == u"NET";
}

sim::Network::DeviceList* ListOf(DeviceInfoSet set) {
    auto& lists = sim::CurrentPc().network().deviceLists();
    auto found = lists.find(reinterpret_cast<uintptr_t>(set));
    return found == lists.end() ? nullptr : &found->second;
}

// The device a caller's SP_DEVINFO_DATA stands for in `list`, or -1.
int DeviceOf(const sim::Network::DeviceList* list, const SpDevInfoData* device) {
    if (list == nullptr || device == nullptr || device->cbSize != sizeof(SpDevInfoData) ||
        device->DevInst >= list->devices.size()) {
        return -1;
    }
    return static_cast<int>(device->DevInst);
}

}  // namespace

bool SetupDiClassGuidsFromNameExW(const char16_t* className, Guid* classGuidList,
                                  uint32_t classGuidListSize, uint32_t* requiredSize) {
    *requiredSize = IsNetName(className) ? 1 : 0;
    if (classGuidListSize < *requiredSize) {
        SetLastError(kErrorInsufficientBuffer);
        return false;
    }
    if (*requiredSize == 1) {
        classGuidList[0] = kNetClass;
    }
    return true;
}

DeviceInfoSet SetupDiGetClassDevsW(const Guid* classGuid, uint32_t flags) {
    sim::Network& network = sim::CurrentPc().network();
    sim::Network::DeviceList list;
    if (classGuid != nullptr && std::memcmp(classGuid, &kNetClass, sizeof kNetClass) == 0 &&
        (flags & kDigcfPresent) != 0) {
        for (size_t i = 0; i < network.devices().size(); ++i) {
            list.devices.push_back(i);
        }
    }
    uintptr_t id = sim::CurrentPc().NextId();
    network.deviceLists()[id] = list;
    return reinterpret_cast<DeviceInfoSet>(id);
}

bool SetupDiEnumDeviceInfo(DeviceInfoSet set, uint32_t index, SpDevInfoData* device) {
    const sim::Network::DeviceList* list = ListOf(set);
    if (list == nullptr) {
        SetLastError(kErrorInvalidHandle);
        return false;
    }
    if (device == nullptr || device->cbSize != sizeof(SpDevInfoData)) {
        SetLastError(kErrorInvalidUserBuffer);
        return false;
    }
    if (index >= list->devices.size()) {
        SetLastError(kErrorNoMoreItems);
        return false;
    }
    device->ClassGuid = kNetClass;
    device->DevInst = index;
    return true;
}

bool SetupDiGetDeviceRegistryPropertyW(DeviceInfoSet set, SpDevInfoData* device, uint32_t property,
                                       uint32_t* type, void* buffer, uint32_t size,
                                       uint32_t* requiredSize) {
    const sim::Network::DeviceList* list = ListOf(set);
    int index = DeviceOf(list, device);
    if (index < 0 || property != kSpdrpDriver) {
        SetLastError(kErrorInvalidParameter);
        return false;
    }
    const std::u16string& key =
        sim::CurrentPc().network().devices()[list->devices[index]].driverKey;
    uint32_t needed = static_cast<uint32_t>((key.size() + 1) * sizeof(char16_t));
    if (requiredSize != nullptr) {
        *requiredSize = needed;
    }
    if (type != nullptr) {
        *type = 1;  // REG_SZ
    }
    if (buffer == nullptr || size < needed) {
        SetLastError(kErrorInsufficientBuffer);
        return false;
    }
    std::memcpy(buffer, key.c_str(), needed);
    return true;
}

bool SetupDiSetClassInstallParamsW(DeviceInfoSet set, SpDevInfoData* device,
                                   SpClassInstallHeader* params, uint32_t size) {
    sim::Network::DeviceList* list = ListOf(set);
    int index = DeviceOf(list, device);
    if (index < 0 || params == nullptr || params->cbSize != sizeof(SpClassInstallHeader) ||
        params->InstallFunction != kDifPropertyChange || size != sizeof(SpPropChangeParams)) {
        SetLastError(kErrorInvalidParameter);
        return false;
    }
    const auto* change = reinterpret_cast<const SpPropChangeParams*>(params);
    list->params[index] = {change->StateChange, change->Scope};
    return true;
}

bool SetupDiCallClassInstaller(uint32_t installFunction, DeviceInfoSet set, SpDevInfoData* device) {
    sim::Network::DeviceList* list = ListOf(set);
    int index = DeviceOf(list, device);
    if (index < 0 || installFunction != kDifPropertyChange) {
        SetLastError(kErrorInvalidParameter);
        return false;
    }
    auto params = list->params.find(index);
    if (params == list->params.end()) {
        SetLastError(kErrorNoClassInstallParams);
        return false;
    }
    auto [stateChange, scope] = params->second;
    size_t deviceIndex = list->devices[index];
    sim::Network& network = sim::CurrentPc().network();
    network.devices()[deviceIndex].enabled = stateChange == kDicsEnable;
    network.deviceChanges().push_back(
        std::string(stateChange == kDicsEnable ? "enable " : "disable ") +
        (scope == kDicsFlagGlobal ? "global " : "") + std::to_string(deviceIndex));
    return true;
}

bool SetupDiDestroyDeviceInfoList(DeviceInfoSet set) {
    if (sim::CurrentPc().network().deviceLists().erase(reinterpret_cast<uintptr_t>(set)) == 0) {
        SetLastError(kErrorInvalidHandle);
        return false;
    }
    return true;
}

}  // namespace platform
