#include "wlan/wireless_lan.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "common/scoped_lock.h"
#include "netconfig/adapters_info.h"
#include "platform/kernel.h"
#include "wlan/scan_result_table.h"
#include "wlan/wlan_ctrl_sv.h"

namespace corvane {

namespace {

// The driver opened and bound to the adapter for one operation, closed again when it ends.
class AdapterSession {
  public:
    explicit AdapterSession(const std::string& adapterName) {
        char device[CWLANCtrlSV::kDeviceNameBytes] = {};
        std::snprintf(device, sizeof device, "\\DEVICE\\%s", adapterName.c_str());
        CWLANCtrlSV& channel = CWLANCtrlSV::Instance();
        // A failed open shows as a failed bind below.
        channel.OpenDriver();
        m_bOpen = channel.OpenAdapter(device) != 0;
    }
    ~AdapterSession() { CWLANCtrlSV::Instance().CloseDriver(); }
    AdapterSession(const AdapterSession&) = delete;
    AdapterSession& operator=(const AdapterSession&) = delete;

    bool IsOpen() const { return m_bOpen; }

  private:
    bool m_bOpen = false;
};

template <typename T>
std::unique_ptr<T[]> Allocate(size_t count) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[count]());
}

// One value of the scan table's row `index`, under the back end's lock.
template <typename T>
int ReadColumn(platform::CriticalSection& lock, const std::vector<T>& column, int index, T* out) {
    ScopedLock hold(lock);
    if (out == nullptr || !ScanResultTable::Instance().IsRow(index)) {
        return 0;
    }
    *out = column[index];
    return 1;
}

}  // namespace

CWirelessLAN::CWirelessLAN() {
    platform::InitializeCriticalSection(&m_lock);
}

CWirelessLAN::~CWirelessLAN() {
    ScanResultTable::Instance().Clear();
    platform::DeleteCriticalSection(&m_lock);
}

int CWirelessLAN::SelectAdapterByMAC(const uint8_t mac[6]) {
    CAdaptersInfo adapters;
    adapters.Load();
    for (int i = 0; i < adapters.GetCount(); ++i) {
        const platform::IpAdapterInfo* info = adapters.GetAdapter(i);
        if (std::memcmp(info->Address, mac, 6) == 0) {
            m_strAdapterName.assign(info->AdapterName,
                                    strnlen(info->AdapterName, sizeof info->AdapterName));
            return 1;
        }
    }
    return 0;
}

int CWirelessLAN::EnumNetworks() {
    ScanResultTable& table = ScanResultTable::Instance();
    CWLANCtrlSV& channel = CWLANCtrlSV::Instance();
    table.Clear();
    int count = 0;
    int scans = 0;
    for (int pass = 0; pass < kScanPasses; ++pass) {
        AdapterSession session(m_strAdapterName);
        if (!session.IsOpen()) {
            return kAdapterNotOpened;
        }
        if (!channel.ScanBSSIDList()) {
            channel.CloseDriver();
            platform::Sleep(kFailedScanWaitMs);
            continue;
        }
        ++scans;
        for (const auto& entry : channel.BSSIDList()) {
            auto ssid = Allocate<char>(ScanResultTable::kSsidBytes);
            auto mac = Allocate<uint8_t>(ScanResultTable::kMacBytes);
            if (!ssid || !mac) {
                table.Clear();
                return kOutOfMemory;
            }
            std::memcpy(ssid.get(), entry->Ssid.Ssid, sizeof entry->Ssid.Ssid);
            std::memcpy(mac.get(), entry->MacAddress, ScanResultTable::kMacBytes);
            int row = table.Find(ssid.get());
            if (row >= 0) {
                if (table.rssis[row] < entry->Rssi) {
                    table.rssis[row] = entry->Rssi;
                }
                continue;
            }
            table.Append(std::move(ssid), entry->InfrastructureMode, entry->Rssi, entry->Privacy,
                         std::move(mac));
            ++count;
        }
    }
    if (scans == 0) {
        return kNoScan;
    }
    table.SortByRssi();
    return count;
}

int CWirelessLAN::ClearNetworks() {
    ScanResultTable::Instance().Clear();
    return 1;
}

int CWirelessLAN::GetNetworkSSID(int index, char* ssid) {
    ScopedLock hold(m_lock);
    ScanResultTable& table = ScanResultTable::Instance();
    if (ssid == nullptr || !table.IsRow(index)) {
        return 0;
    }
    std::memcpy(ssid, table.ssids[index].get(), ScanResultTable::kSsidBytes - 1);
    return 1;
}

int CWirelessLAN::GetNetworkInfraMode(int index, uint32_t* mode) {
    return ReadColumn(m_lock, ScanResultTable::Instance().infrastructureModes, index, mode);
}

int CWirelessLAN::GetNetworkPrivacy(int index, uint32_t* privacy) {
    return ReadColumn(m_lock, ScanResultTable::Instance().privacies, index, privacy);
}

int CWirelessLAN::GetNetworkRSSI(int index, int32_t* rssi) {
    return ReadColumn(m_lock, ScanResultTable::Instance().rssis, index, rssi);
}

int CWirelessLAN::GetCurrentSSID(char* ssid) {
    if (ssid == nullptr) {
        return 0;
    }
    AdapterSession session(m_strAdapterName);
    return session.IsOpen() ? CWLANCtrlSV::Instance().GetSSID(ssid) : 0;
}

int CWirelessLAN::GetCurrentSSIDLocked(char* ssid) {
    ScopedLock hold(m_lock);
    return GetCurrentSSID(ssid);
}

int CWirelessLAN::SetCurrentSSID(const char* ssid) {
    if (ssid == nullptr) {
        return 0;
    }
    AdapterSession session(m_strAdapterName);
    return session.IsOpen() ? CWLANCtrlSV::Instance().SetSSID(ssid) : 0;
}

int CWirelessLAN::SetCurrentSSIDLocked(const char* ssid) {
    ScopedLock hold(m_lock);
    return SetCurrentSSID(ssid);
}

int CWirelessLAN::QueryValue(uint32_t oid, uint32_t* value) {
    AdapterSession session(m_strAdapterName);
    return session.IsOpen() ? CWLANCtrlSV::Instance().GetOIDData(oid, value, sizeof *value) : 0;
}

int CWirelessLAN::SetValue(uint32_t oid, uint32_t value) {
    AdapterSession session(m_strAdapterName);
    return session.IsOpen() ? CWLANCtrlSV::Instance().SetOIDData(oid, &value, sizeof value) : 0;
}

int CWirelessLAN::GetInfraMode(uint32_t* mode) {
    if (mode == nullptr) {
        return 0;
    }
    AdapterSession session(m_strAdapterName);
    if (!session.IsOpen()) {
        return 0;
    }
    uint32_t value = 0;
    int result = CWLANCtrlSV::Instance().GetOIDData(platform::kOid80211InfrastructureMode, &value,
                                                    sizeof value);
    *mode = value;
    return result;
}

int CWirelessLAN::GetInfraModeLocked(uint32_t* mode) {
    ScopedLock hold(m_lock);
    return GetInfraMode(mode);
}

int CWirelessLAN::SetInfraMode(uint32_t mode) {
    return SetValue(platform::kOid80211InfrastructureMode, mode);
}

int CWirelessLAN::SetInfraModeLocked(uint32_t mode) {
    ScopedLock hold(m_lock);
    return SetInfraMode(mode);
}

int CWirelessLAN::GetEncryptionStatus(uint32_t* status) {
    return status == nullptr ? 0 : QueryValue(platform::kOid80211EncryptionStatus, status);
}

int CWirelessLAN::SetEncryptionStatus(uint32_t status) {
    return SetValue(platform::kOid80211EncryptionStatus, status);
}

int CWirelessLAN::SetEncryptionStatusLocked(uint32_t status) {
    ScopedLock hold(m_lock);
    return SetEncryptionStatus(status);
}

int CWirelessLAN::GetAuthMode(uint32_t* mode) {
    ScopedLock hold(m_lock);
    return mode == nullptr ? 0 : QueryValue(platform::kOid80211AuthenticationMode, mode);
}

int CWirelessLAN::SetAuthMode(const uint32_t* mode) {
    return mode == nullptr ? 0 : SetValue(platform::kOid80211AuthenticationMode, *mode);
}

int CWirelessLAN::SetAuthModeLocked(const uint32_t* mode) {
    ScopedLock hold(m_lock);
    return SetAuthMode(mode);
}

}  // namespace corvane
