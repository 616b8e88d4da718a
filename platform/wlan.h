#pragma once
// The native WLAN API of Wlanapi.dll (Windows Vista on), in its published layouts. The library
// is loaded at run time and its entry points are called through the pointers the core looks
// up, so the program still starts where the library does not exist.

#include <cstdint>

#include "platform/types.h"

namespace platform {

// RPCRT4: "12345678-..." (no braces) to a GUID; RPC_S_OK (0) or RPC_S_INVALID_STRING_UUID.
uint32_t UuidFromStringA(const char* text, Guid* uuid);

// DOT11_SSID
struct Dot11Ssid {
    uint32_t uSSIDLength;
    uint8_t ucSSID[32];
};
static_assert(sizeof(Dot11Ssid) == 36);

constexpr uint32_t kDot11BssTypeInfrastructure = 1;
constexpr uint32_t kDot11BssTypeIndependent = 2;
constexpr uint32_t kDot11BssTypeAny = 3;

constexpr uint32_t kWlanAvailableNetworkConnected = 0x1;
constexpr uint32_t kWlanAvailableNetworkHasProfile = 0x2;

// WLAN_AVAILABLE_NETWORK
struct WlanAvailableNetwork {
    char16_t strProfileName[256];
    Dot11Ssid dot11Ssid;
    uint32_t dot11BssType;
    uint32_t uNumberOfBssids;
    int32_t bNetworkConnectable;
    uint32_t wlanNotConnectableReason;
    uint32_t uNumberOfPhyTypes;
    uint32_t dot11PhyTypes[8];
    int32_t bMorePhyTypes;
    uint32_t wlanSignalQuality;  // 0 to 100
    int32_t bSecurityEnabled;
    uint32_t dot11DefaultAuthAlgorithm;
    uint32_t dot11DefaultCipherAlgorithm;
    uint32_t dwFlags;
    uint32_t dwReserved;
};
static_assert(sizeof(WlanAvailableNetwork) == 628);

// WLAN_AVAILABLE_NETWORK_LIST: the header, then dwNumberOfItems networks.
struct WlanAvailableNetworkList {
    uint32_t dwNumberOfItems;
    uint32_t dwIndex;
    WlanAvailableNetwork Network[1];
};
static_assert(sizeof(WlanAvailableNetworkList) == 8 + 628);

// WLAN_CONNECTION_MODE
constexpr uint32_t kWlanConnectionModeProfile = 0;
constexpr uint32_t kWlanConnectionModeDiscoverySecure = 2;
constexpr uint32_t kWlanConnectionModeDiscoveryUnsecure = 3;

// WLAN_CONNECTION_PARAMETERS
struct WlanConnectionParameters {
    uint32_t wlanConnectionMode;
    const char16_t* strProfile;
    const Dot11Ssid* pDot11Ssid;
    const void* pDesiredBssidList;
    uint32_t dot11BssType;
    uint32_t dwFlags;
};

using WlanHandle = void*;

// The twelve entry points the program resolves, with their Windows signatures.
using WlanCloseHandleFn = uint32_t(PLATFORM_API*)(WlanHandle client, void* reserved);
using WlanOpenHandleFn = uint32_t(PLATFORM_API*)(uint32_t clientVersion, void* reserved,
                                                 uint32_t* negotiatedVersion, WlanHandle* client);
using WlanScanFn = uint32_t(PLATFORM_API*)(WlanHandle client, const Guid* interfaceGuid,
                                           const Dot11Ssid* ssid, const void* ieData,
                                           void* reserved);
using WlanFreeMemoryFn = void(PLATFORM_API*)(void* memory);
using WlanGetAvailableNetworkListFn = uint32_t(PLATFORM_API*)(WlanHandle client,
                                                              const Guid* interfaceGuid,
                                                              uint32_t flags, void* reserved,
                                                              WlanAvailableNetworkList** list);
using WlanConnectFn = uint32_t(PLATFORM_API*)(WlanHandle client, const Guid* interfaceGuid,
                                              const WlanConnectionParameters* parameters,
                                              void* reserved);
using WlanQueryInterfaceFn = uint32_t(PLATFORM_API*)(WlanHandle client, const Guid* interfaceGuid,
                                                     uint32_t opCode, void* reserved,
                                                     uint32_t* dataSize, void** data,
                                                     uint32_t* valueType);
using WlanSetInterfaceFn = uint32_t(PLATFORM_API*)(WlanHandle client, const Guid* interfaceGuid,
                                                   uint32_t opCode, uint32_t dataSize,
                                                   const void* data, void* reserved);
using WlanDisconnectFn = uint32_t(PLATFORM_API*)(WlanHandle client, const Guid* interfaceGuid,
                                                 void* reserved);
using WlanGetProfileFn = uint32_t(PLATFORM_API*)(WlanHandle client, const Guid* interfaceGuid,
                                                 const char16_t* profileName, void* reserved,
                                                 char16_t** profileXml, uint32_t* flags,
                                                 uint32_t* grantedAccess);
using WlanSetProfileFn = uint32_t(PLATFORM_API*)(WlanHandle client, const Guid* interfaceGuid,
                                                 uint32_t flags, const char16_t* profileXml,
                                                 const char16_t* allUserProfileSecurity,
                                                 int32_t overwrite, void* reserved,
                                                 uint32_t* reasonCode);
using WlanDeleteProfileFn = uint32_t(PLATFORM_API*)(WlanHandle client, const Guid* interfaceGuid,
                                                    const char16_t* profileName, void* reserved);

}  // namespace platform
