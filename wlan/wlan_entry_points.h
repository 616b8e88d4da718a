#pragma once
// The twelve entry points of Wlanapi.dll the native back end uses, looked up by name.

#include "platform/types.h"
#include "platform/wlan.h"

namespace corvane {

struct WlanEntryPoints {
    platform::WlanCloseHandleFn WlanCloseHandle = nullptr;
    platform::WlanOpenHandleFn WlanOpenHandle = nullptr;
    platform::WlanScanFn WlanScan = nullptr;
    platform::WlanFreeMemoryFn WlanFreeMemory = nullptr;
    platform::WlanGetAvailableNetworkListFn WlanGetAvailableNetworkList = nullptr;
    platform::WlanConnectFn WlanConnect = nullptr;
    platform::WlanQueryInterfaceFn WlanQueryInterface = nullptr;
    platform::WlanSetInterfaceFn WlanSetInterface = nullptr;
    platform::WlanDisconnectFn WlanDisconnect = nullptr;
    platform::WlanGetProfileFn WlanGetProfile = nullptr;
    platform::WlanSetProfileFn WlanSetProfile = nullptr;
    platform::WlanDeleteProfileFn WlanDeleteProfile = nullptr;

    // All twelve from `library`, in this order; false when one is missing.
    bool Resolve(platform::Module library);
};

}  // namespace corvane
