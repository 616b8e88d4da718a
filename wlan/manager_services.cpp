#include "common/debug_log.h"
#include "common/text.h"
#include "common/pellora2_tools.h"
#include "netconfig/service_control.h"
#include "platform/protocol_driver.h"
#include "wlan/projector_manager.h"
#include "wlan/wzc_control_flags.h"

namespace corvane {

namespace {

constexpr uint32_t kServiceWin32 = 0x30;
constexpr uint32_t kWzcConfiguresInterface = 0x8000;
constexpr char kWzc[] = "wzcsvc";
constexpr char kWlanSvc[] = "wlansvc";

bool IsRunning(const char* name) {
    return CServiceControl().IsActive(kServiceWin32, name);
}

}  // namespace

int CProjectorManager::StartService(const char* name) {
    int result = CServiceControl().Start(name, 1);
    if (!result) {
        Fail(kServiceNotStarted);
    }
    return result;
}

int CProjectorManager::StopService(const char* name) {
    int result = CServiceControl().Stop(name, 1);
    if (!result) {
        Fail(kServiceNotStopped);
    }
    return result;
}

int CProjectorManager::StopWZC(int remember) {
    if (m_bIsVista || !IsRunning(kWzc)) {
        return 1;
    }
    if (remember != 0) {
        m_bWzcStoppedByUs = 1;
    }
    DebugLog("CProjectorManager::StopWZC()\r\n");
    return StopService(kWzc);
}

int CProjectorManager::StartWZC() {
    if (m_bIsVista || !m_bWzcStoppedByUs) {
        return 1;
    }
    DebugLog("CProjectorManager::StartWZC()\r\n");
    return StartService(kWzc);
}

int CProjectorManager::StartWLANSVC() {
    if (!m_bIsVista) {
        return 1;
    }
    if (!IsRunning(kWlanSvc)) {
        m_bWlansvcStartedByUs = 1;
    }
    DebugLog("CProjectorManager::StartWLANSVC()\r\n");
    return StartService(kWlanSvc);
}

int CProjectorManager::StopWLANSVC() {
    if (!m_bIsVista || !m_bWlansvcStartedByUs) {
        return 1;
    }
    DebugLog("CProjectorManager::StopWLANSVC()\r\n");
    return StopService(kWlanSvc);
}

int CProjectorManager::StartNDISPROT() {
    return m_bIsVista ? 1 : StartService(platform::kProtocolServiceName);
}

int CProjectorManager::StopNDISPROT() {
    return m_bIsVista ? 1 : StopService(platform::kProtocolServiceName);
}

// A restart of the adapter gives its driver a fresh start, unless Wireless Zero Configuration
// runs it; flags that cannot be read count as not set.
int CProjectorManager::NetworkAdapterEnableDisable() {
    if (m_bIsVista) {
        return 1;
    }
    bool running = IsRunning(kWzc);
    uint32_t flags = 0;
    GetWZCControlFlags(m_interfaceGuid, &flags);
    if (running && (flags & kWzcConfiguresInterface) != 0) {
        return 1;
    }
    if (m_nSelectedIndex != -1) {
        std::u16string guid = FromAnsi(m_interfaceGuid);
        CPellora2Tools::EnableAdapter(0, guid.c_str());
        CPellora2Tools::EnableAdapter(1, guid.c_str());
    }
    return 1;
}

}  // namespace corvane
