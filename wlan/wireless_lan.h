#pragma once
// The wireless back end before Vista: one adapter, reached through our protocol driver with
// NDIS 802.11 OIDs. Every adapter operation opens the driver, binds it to the adapter, makes
// its requests and closes the driver again.
//
// Operations without a suffix expect the caller to hold Lock(), except the table accessors and
// GetAuthMode, which take it themselves; each ...Locked twin takes it around its plain form.
// The lock is recursive, so a caller that holds it may call either.

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace corvane {

class CWirelessLAN {
  public:
    // EnumNetworks' failures.
    static constexpr int kOutOfMemory = -1;
    static constexpr int kAdapterNotOpened = -2;
    static constexpr int kNoScan = -3;
    static constexpr int kScanPasses = 3;
    static constexpr uint32_t kFailedScanWaitMs = 400;

    CWirelessLAN();
    virtual ~CWirelessLAN();
    CWirelessLAN(const CWirelessLAN&) = delete;
    CWirelessLAN& operator=(const CWirelessLAN&) = delete;

    platform::CriticalSection& Lock() { return m_lock; }
    const std::string& AdapterName() const { return m_strAdapterName; }

    // Takes the first adapter of IP Helper's list whose address starts with these 6 octets.
    int SelectAdapterByMAC(const uint8_t mac[6]);
    // Three scans merged by SSID, strongest first: the number of networks, or a failure above.
    int EnumNetworks();
    int ClearNetworks();

    // The scan table's rows; 0 when `index` is not a row, the output then untouched.
    int GetNetworkSSID(int index, char* ssid);  // 33 bytes, zeroed by the caller
    int GetNetworkInfraMode(int index, uint32_t* mode);
    int GetNetworkPrivacy(int index, uint32_t* privacy);
    int GetNetworkRSSI(int index, int32_t* rssi);

    int GetCurrentSSID(char* ssid);  // 33 bytes
    int GetCurrentSSIDLocked(char* ssid);
    int SetCurrentSSID(const char* ssid);
    int SetCurrentSSIDLocked(const char* ssid);
    // `mode` receives 0 when the query fails once the adapter was opened.
    int GetInfraMode(uint32_t* mode);
    int GetInfraModeLocked(uint32_t* mode);
    int SetInfraMode(uint32_t mode);
    int SetInfraModeLocked(uint32_t mode);
    int GetEncryptionStatus(uint32_t* status);
    int SetEncryptionStatus(uint32_t status);
    int SetEncryptionStatusLocked(uint32_t status);
    int GetAuthMode(uint32_t* mode);
    int SetAuthMode(const uint32_t* mode);
    int SetAuthModeLocked(const uint32_t* mode);

  private:
    int QueryValue(uint32_t oid, uint32_t* value);
    int SetValue(uint32_t oid, uint32_t value);

    std::string m_strAdapterName;
    platform::CriticalSection m_lock;
};

}  // namespace corvane
