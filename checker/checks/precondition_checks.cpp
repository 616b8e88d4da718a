// Checks 1 (operating system) and 2 (administrator), run during start-up.

#include "checker/checks/os_version.h"
#include "checker/halvex_app.h"
#include "common/debug_log.h"
#include "common/pellora2_tools.h"
#include "platform/shell.h"

namespace corvane {

namespace {

int Bitness() {
    if (IsWow64()) {
        DebugLog("VORTAU CheckOSSupport 64Bit Process\r\n");
        return 0;
    }
    DebugLog("VORTAU CheckOSSupport 32Bit Process\r\n");
    return 2;
}

}  // namespace

bool CHalvexApp::CheckOSSupport() {
    int status = 0;
    switch (GetOSVersion()) {
        case 1:
            DebugLog("VORTAU CheckOSSupport OS:Windows 2000\r\n");
            if (CPellora2Tools::IsW2kSP4RU1()) {
                DebugLog("VORTAU CheckOSSupport RollUp OK\r\n");
                status = 2;
            } else {
                DebugLog("VORTAU CheckOSSupport RollUp NG!!\r\n");
                status = 1;
            }
            break;
        case 2:
            DebugLog("VORTAU CheckOSSupport OS:Windows XP\r\n");
            status = Bitness();
            break;
        case 3:
            DebugLog("VORTAU CheckOSSupport OS:Windows Vista\r\n");
            status = Bitness();
            break;
        default:
            DebugLog("VORTAU CheckOSSupport OS:Other\r\n");
            status = 0;
            break;
    }
    m_nOSStatus = status;
    if (status != 2) {
        DebugLog("VORTAU CheckOSSupport Check NG!!\r\n");
        m_bPrecheckFailed = true;
    }
    return status == 2;
}

bool CHalvexApp::CheckAdmin(bool adminStart) {
    if (platform::IsUserAnAdmin()) {
        DebugLog("VORTAU CheckAdmin Check OK\r\n");
        m_nAdminStatus = 1;
        return true;
    }
    DebugLog("VORTAU CheckAdmin Check NG!!\r\n");
    m_nAdminStatus = 0;
    m_bPrecheckFailed = true;
    // An admin start that is still not elevated must not start a third instance.
    if (!adminStart) {
        m_bNeedElevation = true;
    }
    return false;
}

}  // namespace corvane
