#include <cstring>

#include "common/debug_log.h"
#include "common/text.h"
#include "netconfig/adapters_info.h"
#include "netconfig/apipa_setting.h"
#include "platform/iphlp.h"
#include "platform/kernel.h"
#include "wlan/projector_manager.h"

namespace corvane {

namespace {

constexpr uint32_t kLinkLocalMask = 0x0000FFFF;  // 255.255.0.0 in network order
constexpr uint32_t kAddressPollMs = 1000;

// The adapter of `name` in `snapshot`, or -1.
int FindByName(const CAdaptersInfo& snapshot, const std::string& name) {
    for (int i = 0; i < snapshot.GetCount(); ++i) {
        const char* adapterName = snapshot.GetAdapter(i)->AdapterName;
        if (name == std::string(adapterName, strnlen(adapterName, 260))) {
            return i;
        }
    }
    return -1;
}

std::u16string Dotted(uint32_t address) {
    return FromAnsi(platform::inet_ntoa(address));
}

void LogAddresses(uint32_t current, uint32_t wanted) {
    const auto* c = reinterpret_cast<const uint8_t*>(&current);
    const auto* w = reinterpret_cast<const uint8_t*>(&wanted);
    DebugLog("Check FixedIP:[%d.%d.%d.%d] [%d.%d.%d.%d]\r\n", c[0], c[1], c[2], c[3], w[0], w[1],
             w[2], w[3]);
}

}  // namespace

int CProjectorManager::SetFixedIP(int mode) {
    DebugLog("Enter CProjectorManager::SetFixedIP( %d, %d )\r\n", mode, 0);
    int result = 1;
    if (mode == 0) {
        DebugLog("SetFixedIP\r\n");
        result = SetAutoIp();
    } else if (mode == 1) {
        DebugLog("Recovery AutoIP\r\n");
        result = RecoverAutoIp();
    } else {
        result = Fail(kBadFixedIpMode);
    }
    DebugLog("Leave CProjectorManager::SetFixedIP() ret = %d\r\n", result);
    return result;
}

int CProjectorManager::SetAutoIp() {
    if (m_nSelectedIndex == -1) {
        return Fail(kNoAdapterSelected);
    }
    const AdapterRecord* record = SelectedRecord();
    if (record == nullptr) {
        return Fail(kBadAdapterIndex);
    }
    std::string name(record->name, strnlen(record->name, sizeof record->name));
    CAdaptersInfo snapshot;
    snapshot.Load();
    int adapter = FindByName(snapshot, name);
    if (adapter < 0) {
        return Fail(kAdapterGone);
    }
    if (!m_netSet.GetPnpInstanceId(FromAnsi(name).c_str())) {
        return Fail(kNoConnection);
    }
    if (!snapshot.GetAdapter(adapter)->DhcpEnabled || !record->isWireless) {
        return 1;
    }
    uint32_t address = CAPIPAOrgSetting().FindFreeAddress(0);
    if (address == 0) {
        return Fail(kNoFreeAddress);
    }
    if (!m_netSet.WriteTcpipInterface(Dotted(address).c_str(), Dotted(kLinkLocalMask).c_str(),
                                      0)) {
        return Fail(kWriteAddressFailed);
    }
    if (!m_netSet.RestartTcpipBinding()) {
        return Fail(kApplyAddressFailed);
    }
    m_strAutoIpAdapterName = name;
    DebugLog("AutoIPWait (%d)\r\n", m_nAutoIpWaitCount);
    uint32_t current = snapshot.FindIpAddressByMac(record->macAddress, nullptr, nullptr,
                                                   record->ipAddress);
    for (int polls = 0; current != address && polls < m_nAutoIpWaitCount; ++polls) {
        platform::Sleep(kAddressPollMs);
        CAdaptersInfo fresh;
        fresh.Load();
        current = fresh.FindIpAddressByMac(record->macAddress, nullptr, nullptr, record->ipAddress);
        LogAddresses(current, address);
    }
    return 1;
}

int CProjectorManager::RecoverAutoIp() {
    if (m_strAutoIpAdapterName.empty()) {
        return 1;
    }
    CAdaptersInfo snapshot;
    snapshot.Load();
    if (FindByName(snapshot, m_strAutoIpAdapterName) < 0) {
        return Fail(kAdapterGone);
    }
    if (!m_netSet.GetPnpInstanceId(FromAnsi(m_strAutoIpAdapterName).c_str())) {
        return Fail(kNoConnection);
    }
    if (!m_netSet.WriteTcpipInterface(u"0.0.0.0", u"0.0.0.0", 1)) {
        return Fail(kWriteAddressFailed);
    }
    if (!m_netSet.RestartTcpipBinding()) {
        return Fail(kApplyAddressFailed);
    }
    return 1;
}

}  // namespace corvane
