#include "checker/checks/check_runner.h"

#include "checker/dialogs/check_dialog.h"
#include "checker/halvex_app.h"
#include "common/debug_log.h"
#include "platform/dialog.h"
#include "platform/kernel.h"

namespace corvane {

namespace {

constexpr uint32_t kElevationPauseMs = 500;

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
    if (!app.m_bPrecheckFailed) {
        dialog.UpdateItem(3);
    }
    platform::PostMessageW(dialog.Window(), WM_CHECK_FINISHED, 0, 0);
    DebugLog("VORTAU CheckThreadProc End\r\n");
}

}  // namespace corvane
