#pragma once
// The network switching manager: the one object through which the check changes the PC's
// wireless LAN. It keeps the adapter list and the chosen adapter, remembers what the adapter
// was on, gives it a link-local address for the test, switches the services that would fight
// over it, and puts everything back. Before Vista it works through our protocol driver, from
// Vista on through the WLAN service; the other back end is never called.
//
// Every failure stores a code in m_nLastError and logs "Error:%d (0x%x)".

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "netconfig/adapter_record.h"
#include "netconfig/tavir_net_set.h"
#include "platform/types.h"
#include "wlan/wireless_lan.h"
#include "wlan/wireless_lan_vista.h"

namespace corvane {

// One network a scan found.
struct ESSIDInfo {
    char ssid[33];  // 32 octets and a terminator
    int32_t rssi;   // dBm
    int32_t adHoc;
    int32_t security;
};

class CProjectorManager {
  public:
    // Codes of m_nLastError.
    enum Error {
        kNoAdapterWithMac = 3,
        kSetSsidFailed = 4,
        kSetAdHocFailed = 5,
        kSelectedAdapterCheckFailed = 6,
        kEnumOutOfMemory = 7,
        kEnumAdapterNotOpened = 8,
        kEnumNoScan = 9,
        kEnumUnknown = 10,
        kBadAdapterIndex = 20,
        kReadSsidFailed = 21,
        kReadInfraModeFailed = 22,
        kServiceNotStarted = 27,
        kServiceNotStopped = 28,
        kNoAdapterSelected = 32,
        kNoConnection = 33,
        kNoFreeAddress = 34,
        kWriteAddressFailed = 35,
        kApplyAddressFailed = 36,
        kAdapterGone = 37,
        kBadFixedIpMode = 40,
        kWlanApiNotLoaded = 66,
        kScanRequestFailed = 68,
        kProfileNotRead = 69,
        kProfileNotRestored = 70,
        kDisconnectFailed = 71,
    };
    static constexpr int kProfileXmlUnits = CWirelessLANVista::kProfileXmlUnits;

    CProjectorManager();
    ~CProjectorManager();
    CProjectorManager(const CProjectorManager&) = delete;
    CProjectorManager& operator=(const CProjectorManager&) = delete;

    // The adapters of a fresh snapshot; their number.
    int EnumerateAdapters();
    // -1 clears the choice.
    int SelectAdapter(int index);
    int SetServerIP(const uint8_t* mac);
    int CheckSelectedAdapter();

    int StopWZC(int remember);
    int StartWZC();
    int StartWLANSVC();
    int StopWLANSVC();
    int StartNDISPROT();
    int StopNDISPROT();
    int NetworkAdapterEnableDisable();

    int SaveWlanSetting();
    int RestoreWlanSetting();
    // 0: a free link-local address for the test; 1: back to automatic addressing.
    int SetFixedIP(int mode);
    int DeleteProfile(std::string name);

    // The networks in range into m_essidList.
    int EnumESSID();
    // Onto the ad-hoc network `ssid`, waiting until the adapter reports it; `registered`
    // receives 1 when a profile was stored for it (from Vista on).
    int SetESSID(std::string ssid, int* registered = nullptr);
    // 0 on the network SetESSID set (or nothing set), 1 not on it, 2 on no network at all.
    int CheckESSID();

    // The switching test: 0 not switched, 1 NG1 (an existing network not held), 2 NG2 (left
    // the network), 3 NG3 (a created network neither held nor seen), 4 pass, 5 cancelled.
    // The adapter's network and addresses are put back on every way out but the first cancel.
    int CheckSetESSID();
    // Watches the connection for 40 s: 0 held, 1 NG1, 2 NG2, 3 cancelled, 4 NG3 (`created`).
    int CheckSetESSIDCore(int created);
    // "TAVIRSSID_" and 8 digits that no listed network has; 0 after 100 collisions. `name`
    // receives the last candidate either way.
    int CreateRandomESSID(std::string& name);

    // The ad-hoc, manual, open profile document for `ssid`.
    static int CreateAdHocProfileXml(const std::u16string& ssid, std::u16string& out);
    static int IsVistaOrLater();

    int m_nLastError = 0;
    uint32_t m_dwServerAddress = 0;  // network byte order
    uint32_t m_dwServerMask = 0;
    uint32_t m_dwServerGateway = 0;
    std::vector<std::unique_ptr<ESSIDInfo>> m_essidList;
    AdapterList m_adapterList;
    CWirelessLAN m_driverBackEnd;
    uint8_t m_selectedMac[6] = {};
    int m_nSelectedIndex = -1;
    std::string m_strSavedSSID;
    uint32_t m_nSavedInfraMode = 0;
    uint32_t m_nSavedEncryption = 1;
    uint32_t m_nSavedAuthMode = 0;
    std::string m_strSelectedName;
    // The cancel flag of the whole run: set by the inspection dialog's thread, read by the
    // worker.
    std::atomic<bool> m_bCancel = false;
    platform::CriticalSection m_lock;
    int m_bIsVista = 0;
    CWirelessLANVista m_nativeBackEnd;
    char16_t m_savedProfileXml[kProfileXmlUnits] = {};
    char m_interfaceGuid[128] = {};
    std::string m_strSetSSID;
    int m_nSetMode = -1;
    int m_nAutoIpWaitCount = 0;
    CTAVIR_NetSet m_netSet;
    int m_bWzcStoppedByUs = 0;
    int m_bWlansvcStartedByUs = 0;
    std::string m_strAutoIpAdapterName;
    int m_nSsidChangeWaitMs = 300;
    int m_nSsidSetRetries = 2;

  private:
    // Stores `code` and logs it with the system's last error; returns 0 for the caller.
    int Fail(int code);
    const AdapterRecord* SelectedRecord() const;
    int StartService(const char* name);
    int StopService(const char* name);
    int PrepareSelectedAdapter();
    int SaveWlanSettingVista();
    int SaveWlanSettingDriver();
    int RestoreWlanSettingVista();
    int RestoreWlanSettingDriver();
    int SetAutoIp();
    int RecoverAutoIp();
    static constexpr int kNotYet = -1;
    std::vector<platform::WlanAvailableNetwork> RefreshNativeNetworks();
    int EnumESSIDHeld();
    int SetESSIDHeld(const std::string& ssid, int* registered);
    void SetNative(const std::string& ssid, int* registered);
    int SetDriver(const std::string& ssid);
    int ReadDriverNetwork(char* ssid, uint32_t* mode);
    int PollNetwork(const std::string& ssid);
    int SwitchAndWatch();
    // The strongest open ad-hoc network in range and strong enough.
    std::optional<std::string> ChooseExistingNetwork();
    int RecheckCreatedNetwork(const std::string& name);
};

}  // namespace corvane
