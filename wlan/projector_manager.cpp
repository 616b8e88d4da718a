#include "wlan/projector_manager.h"

#include <cstdio>
#include <cstring>

#include "common/debug_log.h"
#include "common/scoped_lock.h"
#include "common/text.h"
#include "netconfig/adapters_info.h"
#include "netconfig/nic_info.h"
#include "platform/kernel.h"
#include "wlan/manager_texts.h"

namespace corvane {

namespace {

constexpr char kRule[] =
    "--------------------------------------------------------------------------------\r\n";

void LogTime(const char* format) {
    platform::SystemTime now{};
    platform::GetLocalTime(&now);
    char text[48];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u %02u:%02u:%02u", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    DebugLog(format, text);
}

void LogAddress(uint32_t address, char* out, size_t size) {
    const auto* b = reinterpret_cast<const uint8_t*>(&address);
    std::snprintf(out, size, "%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
}

}  // namespace

CProjectorManager::CProjectorManager() : m_bIsVista(IsVistaOrLater()) {
    platform::InitializeCriticalSection(&m_lock);
    DebugLog("%s", kRule);
    LogTime(manager_texts::kStartTime);
}

CProjectorManager::~CProjectorManager() {
    m_driverBackEnd.ClearNetworks();
    m_essidList.clear();
    m_adapterList.clear();
    platform::DeleteCriticalSection(&m_lock);
    LogTime(manager_texts::kEndTime);
    DebugLog("%s", kRule);
}

int CProjectorManager::Fail(int code) {
    m_nLastError = code;
    DebugLog("Error:%d (0x%x)\r\n", code, platform::GetLastError());
    return 0;
}

int CProjectorManager::IsVistaOrLater() {
    platform::OsVersionInfo info{};
    info.dwOSVersionInfoSize = platform::kOsVersionInfoSize;
    return platform::GetVersionExW(&info) && info.dwMajorVersion >= 6 ? 1 : 0;
}

int CProjectorManager::EnumerateAdapters() {
    return corvane::EnumerateAdapters(m_adapterList);
}

const AdapterRecord* CProjectorManager::SelectedRecord() const {
    if (m_nSelectedIndex < 0 || m_nSelectedIndex >= static_cast<int>(m_adapterList.size())) {
        return nullptr;
    }
    return m_adapterList[m_nSelectedIndex].get();
}

int CProjectorManager::SelectAdapter(int index) {
    DebugLog("The network adaptor used is selected.\r\n");
    for (size_t i = 0; i < m_adapterList.size(); ++i) {
        if (index == -1 || static_cast<int>(i) == index) {
            DebugLog("%s\r\n", m_adapterList[i]->description);
        }
    }
    if (index == -1) {
        m_nSelectedIndex = -1;
        m_strSelectedName.clear();
        return 1;
    }
    if (index < 0 || index >= static_cast<int>(m_adapterList.size())) {
        return Fail(kBadAdapterIndex);
    }
    m_nSelectedIndex = index;
    const AdapterRecord& record = *m_adapterList[index];
    m_strSelectedName.assign(record.name, strnlen(record.name, sizeof record.name));
    std::memset(m_interfaceGuid, 0, sizeof m_interfaceGuid);
    std::memcpy(m_interfaceGuid, m_strSelectedName.data(),
                std::min(m_strSelectedName.size(), sizeof m_interfaceGuid - 1));
    return 1;
}

int CProjectorManager::SetServerIP(const uint8_t* mac) {
    std::memcpy(m_selectedMac, mac, sizeof m_selectedMac);
    CAdaptersInfo snapshot;
    snapshot.Load();
    uint32_t address = 0;
    uint32_t mask = 0;
    snapshot.FindIpAddressByMac(mac, &address, &mask, 0);
    uint32_t gateway = snapshot.FindGatewayByMac(mac);
    for (auto& record : m_adapterList) {
        if (std::memcmp(record->macAddress, mac, sizeof record->macAddress) == 0) {
            record->ipAddress = address;
            record->subnetMask = mask;
            record->gateway = gateway;
            break;
        }
    }
    m_dwServerAddress = address;
    m_dwServerMask = mask;
    m_dwServerGateway = gateway;
    char texts[3][16];
    LogAddress(address, texts[0], sizeof texts[0]);
    LogAddress(mask, texts[1], sizeof texts[1]);
    LogAddress(gateway, texts[2], sizeof texts[2]);
    DebugLog("Set Server IP [%s][%s][%s]\r\n", texts[0], texts[1], texts[2]);
    return 1;
}

int CProjectorManager::CheckSelectedAdapter() {
    CAdaptersInfo snapshot;
    snapshot.Load();
    for (int i = 0; i < snapshot.GetCount(); ++i) {
        const platform::IpAdapterInfo* info = snapshot.GetAdapter(i);
        if (std::memcmp(info->Address, m_selectedMac, sizeof m_selectedMac) == 0) {
            CNICInfo nic(info->AdapterName);
            return nic.IsWireless() ? 1 : 0;
        }
    }
    return 0;
}

int CProjectorManager::DeleteProfile(std::string name) {
    ScopedLock hold(m_lock);
    if (m_bIsVista) {
        m_nativeBackEnd.DeleteProfile(m_interfaceGuid, FromAnsi(name).c_str());
    }
    return 1;
}

}  // namespace corvane
