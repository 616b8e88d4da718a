#include "checker/checks/wlan_setting_check.h"

#include "checker/checks/process_control.h"
#include "checker/halvex_app.h"
#include "common/debug_log.h"
#include "platform/kernel.h"

namespace corvane {

namespace {

// The pause after utilities were closed, before the service is stopped again.
constexpr uint32_t kAfterUtilitiesMs = 500;

// One preparation or restore step: its line, and its error line when it fails; the sequence
// goes on either way, so that whatever was changed is put back.
template <typename Operation>
void Step(const char* name, Operation operation) {
    DebugLog("VORTAU CheckWlanSetting %s()\r\n", name);
    if (!operation()) {
        DebugLog("VORTAU CheckWlanSetting %s Error!!\r\n", name);
    }
}

}  // namespace

void CheckWlanSetting(CHalvexApp& app) {
    CProjectorManager& m = app.m_manager;
    Step("StopWZC", [&] { return m.StopWZC(1); });
    Step("StartWLANSVC", [&] { return m.StartWLANSVC(); });
    Step("StartNDISPROT", [&] { return m.StartNDISPROT(); });

    DebugLog("VORTAU CheckWlanSetting ProcessControl()\r\n");
    app.m_utilityControl.cm3TrayWasRunning = 0;
    int changed = 0;
    ProcessControl(&changed, nullptr, app.m_utilityControl, kProcessControlEnter, nullptr);
    if (changed) {
        platform::Sleep(kAfterUtilitiesMs);
        // A utility that let go may have started the service again; this stop is not undone.
        Step("StopWZC", [&] { return m.StopWZC(0); });
    }

    DebugLog("VORTAU CheckWlanSetting Check Wlan Setting\r\n");
    app.m_nWlanStatus = m.CheckSetESSID();

    Step("StartWZC", [&] { return m.StartWZC(); });
    Step("StopWLANSVC", [&] { return m.StopWLANSVC(); });
    DebugLog("VORTAU CheckWlanSetting ProcessControl()\r\n");
    int wait = 0;
    uint8_t restartAdapter = 1;
    ProcessControl(nullptr, &wait, app.m_utilityControl, kProcessControlLeave, &restartAdapter);
    Step("StopNDISPROT", [&] { return m.StopNDISPROT(); });
    if (restartAdapter) {
        Step("NetworkAdapterEnableDisable", [&] { return m.NetworkAdapterEnableDisable(); });
    }
}

}  // namespace corvane
