#include "checker/checks/wlan_setting_check.h"

#include "checker/checks/process_control.h"
#include "checker/halvex_app.h"
#include "common/debug_log.h"
#include "platform/kernel.h"

namespace corvane {

namespace {

// The pause after utilities were closed, before the service is stopped again.
constexpr uint32_t kAfterUtilitiesMs = 500;

}  // namespace

void CheckWlanSetting(CHalvexApp& app) {
    CProjectorManager& m = app.m_manager;
    DebugLog("VORTAU CheckWlanSetting StopWZC()\r\n");
    if (!m.StopWZC(1)) {
        DebugLog("VORTAU CheckWlanSetting StopWZC Error!!\r\n");
    }
    DebugLog("VORTAU CheckWlanSetting StartWLANSVC()\r\n");
    if (!m.StartWLANSVC()) {
        DebugLog("VORTAU CheckWlanSetting StartWLANSVC Error!!\r\n");
    }
    DebugLog("VORTAU CheckWlanSetting StartNDISPROT()\r\n");
    if (!m.StartNDISPROT()) {
        DebugLog("VORTAU CheckWlanSetting StartNDISPROT Error!!\r\n");
    }

    DebugLog("VORTAU CheckWlanSetting ProcessControl()\r\n");
    app.m_utilityControl.cm3TrayWasRunning = 0;
    int changed = 0;
    ProcessControl(&changed, nullptr, app.m_utilityControl, kProcessControlEnter, nullptr);
    if (changed) {
        platform::Sleep(kAfterUtilitiesMs);
        DebugLog("VORTAU CheckWlanSetting StopWZC()\r\n");
        // A utility that let go may have started the service again; this stop is not undone.
        if (!m.StopWZC(0)) {
            DebugLog("VORTAU CheckWlanSetting StopWZC Error!!\r\n");
        }
    }

    DebugLog("VORTAU CheckWlanSetting Check Wlan Setting\r\n");
    app.m_nWlanStatus = m.CheckSetESSID();

    DebugLog("VORTAU CheckWlanSetting StartWZC()\r\n");
    if (!m.StartWZC()) {
        DebugLog("VORTAU CheckWlanSetting StartWZC Error!!\r\n");
    }
    DebugLog("VORTAU CheckWlanSetting StopWLANSVC()\r\n");
    if (!m.StopWLANSVC()) {
        DebugLog("VORTAU CheckWlanSetting StopWLANSVC Error!!\r\n");
    }
    DebugLog("VORTAU CheckWlanSetting ProcessControl()\r\n");
    int wait = 0;
    uint8_t restartAdapter = 1;
    ProcessControl(nullptr, &wait, app.m_utilityControl, kProcessControlLeave, &restartAdapter);
    DebugLog("VORTAU CheckWlanSetting StopNDISPROT()\r\n");
    if (!m.StopNDISPROT()) {
        DebugLog("VORTAU CheckWlanSetting StopNDISPROT Error!!\r\n");
    }
    if (restartAdapter) {
        DebugLog("VORTAU CheckWlanSetting NetworkAdapterEnableDisable()\r\n");
        if (!m.NetworkAdapterEnableDisable()) {
            DebugLog("VORTAU CheckWlanSetting NetworkAdapterEnableDisable Error!!\r\n");
        }
    }
}

}  // namespace corvane
