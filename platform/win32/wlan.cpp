#include "platform/wlan.h"

#include <windows.h>
#include <rpc.h>
#include <wlanapi.h>

#include <cstddef>

namespace platform {

static_assert(sizeof(GUID) == sizeof(Guid));
static_assert(sizeof(DOT11_SSID) == sizeof(Dot11Ssid));
static_assert(sizeof(WLAN_AVAILABLE_NETWORK) == sizeof(WlanAvailableNetwork));
static_assert(offsetof(WLAN_AVAILABLE_NETWORK, dwFlags) == offsetof(WlanAvailableNetwork, dwFlags));
static_assert(offsetof(WLAN_AVAILABLE_NETWORK_LIST, Network) ==
              offsetof(WlanAvailableNetworkList, Network));
static_assert(sizeof(WLAN_CONNECTION_PARAMETERS) == sizeof(WlanConnectionParameters));
static_assert(offsetof(WLAN_CONNECTION_PARAMETERS, dot11BssType) ==
              offsetof(WlanConnectionParameters, dot11BssType));

uint32_t UuidFromStringA(const char* text, Guid* uuid) {
    return ::UuidFromStringA(reinterpret_cast<RPC_CSTR>(const_cast<char*>(text)),
                             reinterpret_cast<UUID*>(uuid));
}

}  // namespace platform
