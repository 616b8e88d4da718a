#include "checker/checks/check_runner.h"

#include <string>

#include "checker/checks/os_version.h"
#include "checker/checks/wlan_setting_check.h"
#include "checker/dialogs/check_dialog.h"
#include "checker/halvex_app.h"
#include "checker/module_path.h"
#include "common/debug_log.h"
#include "netconfig/tavir_net_set.h"
#include "platform/dialog.h"
#include "platform/kernel.h"

namespace corvane {

namespace {

constexpr uint32_t kElevationPauseMs = 500;
constexpr int kWindowsVista = 3;

// This program's folder, where the launcher put the driver's files; empty unless the module
// path has both a drive and a directory.
std::u16string DriverFolder() {
    std::u16string folder;
    if (!GetModuleFolder(folder) || folder.size() < 3 || folder[1] != u':') {
        return u"";
    }
    return folder;
}

void RemoveDriver(CTAVIR_NetSet& netSet) {
    DebugLog("VORTAU CheckThreadProc Driver UnInstall\r\n");
    netSet.NetCfgSetup(0);
}

// Before Vista the wireless check talks to the adapter through our protocol driver; a failed
// installation shows up as a failed check 4.
void InstallDriver(CTAVIR_NetSet& netSet, const std::u16string& folder) {
    DebugLog("VORTAU CheckThreadProc Driver Install\r\n");
    netSet.InstallDriverFiles(folder.c_str());
    netSet.NetCfgSetup(1);
}

// Item 2 shows as running while the program asks to be started elevated; the button stays
// disabled meanwhile, so that the user cannot cancel half-way.
void TryElevation(CDialogInspect& dialog, CHalvexApp& app) {
    dialog.UpdateItem(1);
    platform::EnableWindow(dialog.Button(), false);
    platform::Sleep(kElevationPauseMs);
    if (app.RelaunchElevated()) {
        // The new instance waits for the single-instance name.
        app.m_hMutex.Reset();
    } else {
        app.m_bNeedElevation = false;
    }
    platform::EnableWindow(dialog.Button(), true);
}

}  // namespace

uint32_t PLATFORM_API CheckThreadEntry(void* dialog) {
    if (dialog == nullptr) {
        return static_cast<uint32_t>(-1);
    }
    CheckThreadProc(*static_cast<CDialogInspect*>(dialog));
    return 1;
}

void CheckThreadProc(CDialogInspect& dialog) {
    const std::u16string folder = DriverFolder();
    CHalvexApp& app = dialog.App();
    app.m_manager.m_bCancel = false;
    DebugLog("VORTAU CheckThreadProc Start\r\n");
    if (app.m_bNeedElevation) {
        TryElevation(dialog, app);
    } else {
        dialog.UpdateItem(CDialogInspect::kNoneRunning);
    }
    if (!app.m_bPrecheckFailed) {
        dialog.UpdateItem(2);
        platform::SendMessageW(dialog.Window(), WM_CHECK_NIC, 0, 0);
    }
    CTAVIR_NetSet netSet;
    if (!app.m_bPrecheckFailed) {
        dialog.UpdateItem(3);
        // An installation left by an earlier run goes first.
        RemoveDriver(netSet);
        if (!dialog.IsCancelRequested() && GetOSVersion() < kWindowsVista) {
            InstallDriver(netSet, folder);
        }
        if (!dialog.IsCancelRequested()) {
            DebugLog("VORTAU CheckThreadProc CheckWlanSetting\r\n");
            CheckWlanSetting(app);
        }
    }
    // On every path, also when nothing was installed.
    RemoveDriver(netSet);
    platform::PostMessageW(dialog.Window(), WM_CHECK_FINISHED, 0, 0);
    DebugLog("VORTAU CheckThreadProc End\r\n");
}

}  // namespace corvane
