#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "common/debug_log.h"
#include "common/log_channel.h"
#include "common/scoped_lock.h"
#include "common/text.h"
#include "platform/kernel.h"
#include "platform/ndis_802_11.h"
#include "wlan/manager_texts.h"
#include "wlan/projector_manager.h"

namespace corvane {

namespace {

constexpr size_t kSsidBytes = 33;
constexpr uint32_t kNativeScanWaitMs = 2000;
constexpr int kPollsPerAttempt = 14;
constexpr uint32_t kNoMode = 0xFFFFFFFFu;
// Set before the open values, their results not looked at: Ndis802_11AuthModeMax and the
// encryption statuses from the strongest down.
constexpr uint32_t kAuthModeMax = 8;
constexpr uint32_t kEncryptionSweep[] = {6, 4, 1};
constexpr uint32_t kAuthOpen = 0;
constexpr uint32_t kEncryptionDisabled = 1;

// The SSID of a native list entry: its 32 octets as a zero-terminated text.
std::string NativeSsid(const platform::WlanAvailableNetwork& network) {
    char text[kSsidBytes] = {};
    std::memcpy(text, network.dot11Ssid.ucSSID, sizeof network.dot11Ssid.ucSSID);
    return text;
}

bool IsConnected(const platform::WlanAvailableNetwork& network) {
    return (network.dwFlags & platform::kWlanAvailableNetworkConnected) != 0;
}

}  // namespace

// The native cache refreshed, as copies in its order.
std::vector<platform::WlanAvailableNetwork> CProjectorManager::RefreshNativeNetworks() {
    int count = 0;
    m_nativeBackEnd.GetAvailableNetwork(m_interfaceGuid, CWirelessLANVista::kRefresh, nullptr,
                                        &count);
    std::vector<platform::WlanAvailableNetwork> networks;
    for (int i = 0; i < count && i < m_nativeBackEnd.CacheSize(); ++i) {
        platform::WlanAvailableNetwork network{};
        m_nativeBackEnd.GetAvailableNetwork(m_interfaceGuid, i, &network, nullptr);
        networks.push_back(network);
    }
    return networks;
}

int CProjectorManager::EnumESSID() {
    ScopedLock hold(m_lock);
    DebugLog("EnumESSID>>>>\r\n");
    int result = EnumESSIDHeld();
    DebugLog("EnumESSID<<<<\r\n");
    return result;
}

int CProjectorManager::EnumESSIDHeld() {
    if (!CheckSelectedAdapter()) {
        return Fail(kSelectedAdapterCheckFailed);
    }
    DebugLog("%s", manager_texts::kLoadLibrary);
    if (m_bIsVista ? !m_nativeBackEnd.LoadWlanApi()
                   : !m_driverBackEnd.SelectAdapterByMAC(m_selectedMac)) {
        return Fail(m_bIsVista ? kWlanApiNotLoaded : kNoAdapterWithMac);
    }
    DebugLog("%s", manager_texts::kEnumerate);
    int count = 0;
    if (m_bIsVista) {
        if (!m_nativeBackEnd.RequestScan(m_interfaceGuid)) {
            return Fail(kScanRequestFailed);
        }
        platform::Sleep(kNativeScanWaitMs);
    } else {
        {
            ScopedLock holdBackEnd(m_driverBackEnd.Lock());
            count = m_driverBackEnd.EnumNetworks();
        }
        if (count < 0) {
            struct Failure {
                int count;
                int code;
                const char* line;
            };
            static const Failure kFailures[] = {
                {CWirelessLAN::kOutOfMemory, kEnumOutOfMemory, "Enum Error!!\r\n"},
                {CWirelessLAN::kAdapterNotOpened, kEnumAdapterNotOpened, "NDIS Open Error!!\r\n"},
                {CWirelessLAN::kNoScan, kEnumNoScan, "SCAN Error!!\r\n"},
            };
            Failure failure{count, kEnumUnknown, "Unknown Error!!\r\n"};
            for (const Failure& known : kFailures) {
                if (known.count == count) {
                    failure = known;
                }
            }
            DebugLog("%s", failure.line);
            Fail(failure.code);
            m_driverBackEnd.ClearNetworks();
            return 0;
        }
    }
    DebugLog("%s", manager_texts::kBuildList);
    m_essidList.clear();
    DebugLog("%s", manager_texts::kEnumerate);
    if (m_bIsVista) {
        for (const platform::WlanAvailableNetwork& network : RefreshNativeNetworks()) {
            std::string ssid = NativeSsid(network);
            bool listed = false;
            for (const auto& info : m_essidList) {
                listed = listed || ssid == info->ssid;
            }
            if (ssid.empty() || listed) {
                continue;
            }
            auto info = std::make_unique<ESSIDInfo>();
            std::memset(info->ssid, 0, sizeof info->ssid);
            std::memcpy(info->ssid, ssid.data(), ssid.size());
            info->rssi = static_cast<int32_t>(network.wlanSignalQuality * 50 / 100) - 100;
            info->adHoc = network.dot11BssType == platform::kDot11BssTypeIndependent ? 1 : 0;
            info->security = network.bSecurityEnabled != 0 ? 1 : 0;
            DebugLog("ESSID[%s] R[%d]\r\n", info->ssid, info->rssi);
            m_essidList.push_back(std::move(info));
        }
    } else {
        for (int i = 0; i < count; ++i) {
            auto info = std::make_unique<ESSIDInfo>();
            std::memset(info->ssid, 0, sizeof info->ssid);
            uint32_t mode = 0;
            uint32_t privacy = 0;
            int32_t rssi = 0;
            m_driverBackEnd.GetNetworkSSID(i, info->ssid);
            m_driverBackEnd.GetNetworkInfraMode(i, &mode);
            m_driverBackEnd.GetNetworkPrivacy(i, &privacy);
            m_driverBackEnd.GetNetworkRSSI(i, &rssi);
            info->rssi = rssi;
            info->adHoc = mode == platform::kNdis80211Ibss ? 1 : 0;
            info->security = privacy != 0 ? 1 : 0;
            DebugLog("ESSID[%s] R[%d] I[%d]P[%d]\r\n", info->ssid, rssi, static_cast<int>(mode),
                     static_cast<int>(privacy));
            m_essidList.push_back(std::move(info));
        }
    }
    m_driverBackEnd.ClearNetworks();
    return 1;
}

int CProjectorManager::SetESSID(std::string ssid, int* registered) {
    int result = 0;
    {
        ScopedLock hold(m_lock);
        DebugLog("SetESSID>>>>[%s]\r\n", ssid.c_str());
        result = SetESSIDHeld(ssid, registered);
        DebugLog("SetESSID<<<<\r\n");
    }
    m_strSetSSID = result ? ssid : std::string();
    m_nSetMode = result ? 1 : -1;
    DebugLog(manager_texts::kChangeResult, result);
    return result;
}

// The network to join, found in the native cache, or a profile of our own for it.
void CProjectorManager::SetNative(const std::string& ssid, int* registered) {
    std::vector<platform::WlanAvailableNetwork> networks = RefreshNativeNetworks();
    auto cached = std::find_if(networks.begin(), networks.end(),
                               [&](const auto& network) { return NativeSsid(network) == ssid; });
    platform::WlanAvailableNetwork network{};
    if (cached != networks.end()) {
        network = *cached;
        g_logChannel.Printf("[080528] SetESSID : check ssid OK");
    } else {
        g_logChannel.Printf("[080528] SetESSID : check ssid NG");
        DebugLog("VORTAU SetESSID Registers Profile:%s\r\n", ssid.c_str());
        std::u16string name = FromAnsi(ssid);
        std::u16string xml;
        CreateAdHocProfileXml(name, xml);
        m_nativeBackEnd.SetProfile(m_interfaceGuid, xml.c_str(), 1);
        if (registered != nullptr) {
            *registered = 1;
        }
        std::copy_n(name.begin(), std::min<size_t>(name.size(), 255), network.strProfileName);
        size_t length = std::min<size_t>(ssid.size(), sizeof network.dot11Ssid.ucSSID);
        network.dot11Ssid.uSSIDLength = static_cast<uint32_t>(length);
        std::memcpy(network.dot11Ssid.ucSSID, ssid.data(), length);
        network.dot11BssType = platform::kDot11BssTypeIndependent;
    }
    m_nativeBackEnd.ConnectNetwork(m_interfaceGuid, &network);
}

// Open, ad hoc, then the name; 0 with the code stored when the mode or the name is refused.
int CProjectorManager::SetDriver(const std::string& ssid) {
    ScopedLock hold(m_driverBackEnd.Lock());
    m_driverBackEnd.SetAuthMode(&kAuthModeMax);
    for (uint32_t status : kEncryptionSweep) {
        m_driverBackEnd.SetEncryptionStatus(status);
    }
    if (!m_driverBackEnd.SetInfraMode(platform::kNdis80211Ibss)) {
        Fail(kSetAdHocFailed);
        m_driverBackEnd.ClearNetworks();
        return 0;
    }
    m_driverBackEnd.SetAuthMode(&kAuthOpen);
    m_driverBackEnd.SetEncryptionStatus(kEncryptionDisabled);
    char name[kSsidBytes] = {};
    std::memcpy(name, ssid.data(), std::min(ssid.size(), kSsidBytes - 1));
    if (!m_driverBackEnd.SetCurrentSSID(name)) {
        Fail(kSetSsidFailed);
        m_driverBackEnd.ClearNetworks();
        return 0;
    }
    return 1;
}

// Reads what the driver's adapter is on; 0 with the code stored when it cannot be read.
int CProjectorManager::ReadDriverNetwork(char* ssid, uint32_t* mode) {
    ScopedLock hold(m_driverBackEnd.Lock());
    if (!m_driverBackEnd.GetCurrentSSID(ssid)) {
        Fail(kReadSsidFailed);
        m_driverBackEnd.ClearNetworks();
        return 0;
    }
    *mode = kNoMode;
    if (!m_driverBackEnd.GetInfraMode(mode)) {
        Fail(kReadInfraModeFailed);
        m_driverBackEnd.ClearNetworks();
        return 0;
    }
    return 1;
}

int CProjectorManager::SetESSIDHeld(const std::string& ssid, int* registered) {
    if (m_bIsVista ? !m_nativeBackEnd.LoadWlanApi()
                   : !m_driverBackEnd.SelectAdapterByMAC(m_selectedMac)) {
        return Fail(m_bIsVista ? kWlanApiNotLoaded : kNoAdapterWithMac);
    }
    if (!m_bIsVista) {
        char current[kSsidBytes] = {};
        uint32_t mode = kNoMode;
        if (!ReadDriverNetwork(current, &mode)) {
            return 0;
        }
        DebugLog("%s", manager_texts::kSetEvenIfSame);
    }
    for (int attempts = 1;; ++attempts) {
        if (m_bIsVista) {
            SetNative(ssid, registered);
        } else if (!SetDriver(ssid)) {
            return 0;
        }
        DebugLog(manager_texts::kChangeTo, ssid.c_str());
        for (int poll = 0; poll < kPollsPerAttempt; ++poll) {
            int seen = PollNetwork(ssid);
            if (seen != kNotYet) {
                return seen;
            }
        }
        if (attempts > m_nSsidSetRetries) {
            // The caller's monitoring finds the adapter off the network and decides.
            Fail(kSetSsidFailed);
            m_driverBackEnd.ClearNetworks();
            return 1;
        }
        if (m_bCancel) {
            return 0;
        }
        DebugLog("%s", manager_texts::kRetry);
    }
}

// One verification poll: 1 on the network, 0 to give up, kNotYet to poll again.
int CProjectorManager::PollNetwork(const std::string& ssid) {
    if (m_bCancel) {
        m_driverBackEnd.ClearNetworks();
        return 0;
    }
    DebugLog("ESSID change wait S %d\r\n", m_nSsidChangeWaitMs);
    platform::Sleep(static_cast<uint32_t>(m_nSsidChangeWaitMs));
    DebugLog("ESSID change wait E %d\r\n", m_nSsidChangeWaitMs);
    bool joined = false;
    char current[kSsidBytes] = {};
    uint32_t mode = kNoMode;
    if (m_bIsVista) {
        for (const platform::WlanAvailableNetwork& network : RefreshNativeNetworks()) {
            joined = joined || (NativeSsid(network) == ssid && IsConnected(network));
        }
    } else if (!ReadDriverNetwork(current, &mode)) {
        return 0;
    }
    DebugLog("%s", manager_texts::kChanged);
    if (!m_bIsVista) {
        joined = ssid == current && mode == platform::kNdis80211Ibss;
    }
    DebugLog(joined ? "OK\r\n" : "NG\r\n");
    if (!m_bIsVista) {
        DebugLog("Check original ssid. ori_ssid=%s now_ssid=%s", m_strSavedSSID.c_str(), current);
        // Back on its old network: a vendor's utility may be fighting over the adapter.
        if (m_strSavedSSID == current && m_strSavedSSID != ssid) {
            DebugLog("Utility conflict? Check nic description.");
            const AdapterRecord* record = SelectedRecord();
            std::string description =
                record == nullptr
                    ? std::string()
                    : std::string(record->description,
                                  strnlen(record->description, sizeof record->description));
            DebugLog("AdaptorDesc=%s", description.c_str());
            if (description.find("Cisco") != std::string::npos ||
                description.find("Aironet") != std::string::npos) {
                DebugLog("Conflict Cisco Adaptor !!");
                return 0;
            }
        }
    }
    if (joined) {
        m_driverBackEnd.ClearNetworks();
        return 1;
    }
    return kNotYet;
}

int CProjectorManager::CheckESSID() {
    DebugLog("CheckESSID()\r\n");
    if (m_strSetSSID.empty() || m_nSetMode == -1) {
        DebugLog("CheckESSID() Setting Info Empty\r\n");
        return 0;
    }
    std::string current;
    int mode = 0;
    if (m_bIsVista) {
        std::vector<platform::WlanAvailableNetwork> networks = RefreshNativeNetworks();
        auto connected = std::find_if(networks.begin(), networks.end(), IsConnected);
        if (connected == networks.end()) {
            DebugLog("CheckESSID() Not found Vista\r\n");
            return 1;
        }
        current = NativeSsid(*connected);
        mode = connected->dot11BssType == platform::kDot11BssTypeIndependent ? 1 : 0;
    } else {
        if (!m_driverBackEnd.SelectAdapterByMAC(m_selectedMac)) {
            Fail(kNoAdapterWithMac);
            DebugLog("CheckESSID() Get Info Error 1\r\n");
            return 1;
        }
        char ssid[kSsidBytes] = {};
        if (!m_driverBackEnd.GetCurrentSSIDLocked(ssid)) {
            Fail(kReadSsidFailed);
            m_driverBackEnd.ClearNetworks();
            DebugLog("CheckESSID() Get Info Error 2\r\n");
            return 1;
        }
        uint32_t infra = kNoMode;
        if (!m_driverBackEnd.GetInfraModeLocked(&infra)) {
            Fail(kReadInfraModeFailed);
            m_driverBackEnd.ClearNetworks();
            DebugLog("CheckESSID() Get Info Error 3\r\n");
            return 1;
        }
        current = ssid;
        mode = infra == platform::kNdis80211Ibss ? 1 : 0;
        m_driverBackEnd.ClearNetworks();
    }
    if (current.empty()) {
        DebugLog("CheckESSID() GetESSID() is Empty\r\n");
        return 2;
    }
    bool same = current == m_strSetSSID && mode == m_nSetMode;
    DebugLog(same ? "CheckESSID() Equal\r\n" : "CheckESSID() Not Equal\r\n");
    DebugLog("[%s](%d) [%s](%d)\r\n", m_strSetSSID.c_str(), m_nSetMode, current.c_str(), mode);
    return same ? 0 : 1;
}

}  // namespace corvane
