#pragma once
// The published NDIS 802.11 object identifiers and structures, in their Windows layout, as the
// protocol driver carries them between a program and a wireless adapter.

#include <cstdint>

namespace platform {

constexpr uint32_t kOid80211Ssid = 0x0D010102;
constexpr uint32_t kOid80211InfrastructureMode = 0x0D010108;
constexpr uint32_t kOid80211AuthenticationMode = 0x0D010118;
constexpr uint32_t kOid80211BssidListScan = 0x0D01011A;
constexpr uint32_t kOid80211EncryptionStatus = 0x0D01011B;  // also OID_802_11_WEP_STATUS
constexpr uint32_t kOid80211BssidList = 0x0D010217;

// NDIS_802_11_NETWORK_INFRASTRUCTURE
constexpr uint32_t kNdis80211Ibss = 0;
constexpr uint32_t kNdis80211Infrastructure = 1;
constexpr uint32_t kNdis80211AutoUnknown = 2;

// NDIS_802_11_SSID
struct Ndis80211Ssid {
    uint32_t SsidLength;
    uint8_t Ssid[32];
};
static_assert(sizeof(Ndis80211Ssid) == 36);

// NDIS_802_11_CONFIGURATION with its NDIS_802_11_CONFIGURATION_FH
struct Ndis80211Configuration {
    uint32_t Length;
    uint32_t BeaconPeriod;
    uint32_t ATIMWindow;
    uint32_t DSConfig;
    uint32_t FHConfigLength;
    uint32_t HopPattern;
    uint32_t HopSet;
    uint32_t DwellTime;
};

// NDIS_WLAN_BSSID: the first 104 bytes of every entry of an NDIS_802_11_BSSID_LIST, whose
// entries (often the longer NDIS_WLAN_BSSID_EX) each begin with their own Length.
struct NdisWlanBssid {
    uint32_t Length;
    uint8_t MacAddress[6];
    uint8_t Reserved[2];
    Ndis80211Ssid Ssid;
    uint32_t Privacy;
    int32_t Rssi;
    uint32_t NetworkTypeInUse;
    Ndis80211Configuration Configuration;
    uint32_t InfrastructureMode;
    uint8_t SupportedRates[8];
};
static_assert(sizeof(NdisWlanBssid) == 104);

// NDIS_802_11_BSSID_LIST: NumberOfItems, then the entries back to back.
constexpr uint32_t kBssidListHeaderSize = 4;

}  // namespace platform
