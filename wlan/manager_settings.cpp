#include <cstring>
#include <string_view>

#include "common/debug_log.h"
#include "common/scoped_lock.h"
#include "platform/kernel.h"
#include "wlan/manager_texts.h"
#include "wlan/projector_manager.h"

namespace corvane {

namespace {

constexpr size_t kSsidBytes = 33;

}  // namespace

// The chosen adapter made the back ends' and checked still to be there and wireless.
int CProjectorManager::PrepareSelectedAdapter() {
    const AdapterRecord* record = SelectedRecord();
    if (record == nullptr) {
        return Fail(kNoAdapterSelected);
    }
    SetServerIP(record->macAddress);
    if (!CheckSelectedAdapter()) {
        return Fail(kSelectedAdapterCheckFailed);
    }
    return 1;
}

int CProjectorManager::SaveWlanSetting() {
    if (!PrepareSelectedAdapter()) {
        return 0;
    }
    return m_bIsVista ? SaveWlanSettingVista() : SaveWlanSettingDriver();
}

int CProjectorManager::SaveWlanSettingVista() {
    if (!m_nativeBackEnd.LoadWlanApi()) {
        return Fail(kWlanApiNotLoaded);
    }
    DebugLog("%s", manager_texts::kReadProfile);
    int connected = 0;
    if (!m_nativeBackEnd.GetConnectedProfile(m_interfaceGuid, &connected, m_savedProfileXml)) {
        DebugLog("VORTAU SaveWlanSetting GetConnectedProfile Error!! (0x%x)\r\n",
                 platform::GetLastError());
        return Fail(kProfileNotRead);
    }
    if (!connected) {
        DebugLog("%s", manager_texts::kNoProfileFound);
        std::memset(m_savedProfileXml, 0, sizeof m_savedProfileXml);
    } else {
        DebugLog("%s", manager_texts::kProfileSaved);
    }
    return 1;
}

int CProjectorManager::SaveWlanSettingDriver() {
    if (!m_driverBackEnd.SelectAdapterByMAC(m_selectedMac)) {
        return Fail(kNoAdapterWithMac);
    }
    char ssid[kSsidBytes] = {};
    uint32_t auth = m_nSavedAuthMode;
    uint32_t infra = m_nSavedInfraMode;
    uint32_t encryption = m_nSavedEncryption;
    {
        ScopedLock hold(m_driverBackEnd.Lock());
        m_driverBackEnd.GetCurrentSSIDLocked(ssid);
        m_driverBackEnd.GetAuthMode(&auth);
        m_driverBackEnd.GetInfraModeLocked(&infra);
        m_driverBackEnd.GetEncryptionStatus(&encryption);
        m_driverBackEnd.ClearNetworks();
    }
    // All four at once: the restore never meets half a saved setting.
    m_strSavedSSID = ssid;
    m_nSavedAuthMode = auth;
    m_nSavedInfraMode = infra;
    m_nSavedEncryption = encryption;
    DebugLog("ESSID[%s]AUTH[%d]INFR[%d]WEP[%d]", ssid, static_cast<int>(auth),
             static_cast<int>(infra), static_cast<int>(encryption));
    return 1;
}

int CProjectorManager::RestoreWlanSetting() {
    if (m_bIsVista && m_savedProfileXml[0] == u'\0') {
        DebugLog("%s", manager_texts::kNoProfileToRestore);
        return 1;
    }
    if (!m_bIsVista && m_strSavedSSID.empty()) {
        return 1;
    }
    if (!PrepareSelectedAdapter()) {
        return 0;
    }
    return m_bIsVista ? RestoreWlanSettingVista() : RestoreWlanSettingDriver();
}

int CProjectorManager::RestoreWlanSettingVista() {
    if (!m_nativeBackEnd.LoadWlanApi()) {
        return Fail(kWlanApiNotLoaded);
    }
    if (!m_nativeBackEnd.Disconnect(m_interfaceGuid)) {
        return Fail(kDisconnectFailed);
    }
    // A manual profile is not joined by itself: connect by its name. An automatic one is
    // stored again and Windows joins it.
    std::u16string_view xml(m_savedProfileXml, kProfileXmlUnits - 1);
    xml = xml.substr(0, xml.find(u'\0'));
    bool manual = xml.find(u"<connectionMode>manual</connectionMode>") != std::u16string_view::npos;
    DebugLog("%s", manual ? manager_texts::kRestoreManual : manager_texts::kRestoreAuto);
    if (!m_nativeBackEnd.SetProfile(m_interfaceGuid, m_savedProfileXml, manual ? 0 : 1)) {
        return Fail(kProfileNotRestored);
    }
    DebugLog("%s", manager_texts::kRestored);
    return 1;
}

int CProjectorManager::RestoreWlanSettingDriver() {
    if (!m_driverBackEnd.SelectAdapterByMAC(m_selectedMac)) {
        return Fail(kNoAdapterWithMac);
    }
    char ssid[kSsidBytes] = {};
    std::memcpy(ssid, m_strSavedSSID.data(), std::min(m_strSavedSSID.size(), kSsidBytes - 1));
    DebugLog("ESSID[%s]AUTH[%d]INFR[%d]WEP[%d]", ssid, static_cast<int>(m_nSavedAuthMode),
             static_cast<int>(m_nSavedInfraMode), static_cast<int>(m_nSavedEncryption));
    DebugLog("Infra Result[%d]\r\n", m_driverBackEnd.SetInfraModeLocked(m_nSavedInfraMode));
    DebugLog("Auth  Result[%d]\r\n", m_driverBackEnd.SetAuthModeLocked(&m_nSavedAuthMode));
    DebugLog("WEP   Result[%d]\r\n", m_driverBackEnd.SetEncryptionStatusLocked(m_nSavedEncryption));
    DebugLog("ESSID Result[%d]\r\n", m_driverBackEnd.SetCurrentSSIDLocked(ssid));
    m_strSavedSSID.clear();
    m_driverBackEnd.ClearNetworks();
    return 1;
}

}  // namespace corvane
