#include "checker/halvex_app.h"

#include "checker/command_line.h"
#include "checker/desktop_path.h"
#include "checker/dialogs/check_dialog.h"
#include "checker/dialogs/dialog_main.h"
#include "checker/dialogs/dialog_provision.h"
#include "common/debug_log.h"
#include "platform/dialog.h"
#include "platform/kernel.h"
#include "platform/shell.h"

namespace corvane {

namespace {

constexpr const char16_t* kMutexName = u"TAVIR_Corvane_Mutex";
constexpr uint32_t kAdminStartWaitMs = 2000;
constexpr uint32_t kMutexRetryMs = 10;
constexpr size_t kTailLimit = 1024;

}  // namespace

bool CHalvexApp::InitInstance() {
    platform::InitCommonControlsEx(0xFF);
    bool adminStart = ParseCommandLine(platform::GetCommandLineW(), *this);
    if (!CheckMutex(adminStart)) {
        return false;
    }
    DebugLog("VORTAU InitInstance LoadLocalizedString()\r\n");
    if (!m_messages.LoadLocalizedString()) {
        m_messages.SetDefaultStrings();
    }
    // An admin start follows a first instance in which the user already agreed and started.
    if (!adminStart) {
        if (CDialogProvision(m_messages).DoModal() != platform::kIdOk) {
            return false;
        }
        if (CDialogMain(m_messages).DoModal() != platform::kIdOk) {
            return false;
        }
    }
    DebugLog("VORTAU InitInstance CheckOSSupport()\r\n");
    if (CheckOSSupport()) {
        DebugLog("VORTAU InitInstance CheckAdmin()\r\n");
        CheckAdmin(adminStart);
    }
    CDialogInspect(*this).DoModal();
    return false;
}

bool CHalvexApp::CheckMutex(bool adminStart) {
    if (!adminStart) {
        DebugLog("VORTAU InitInstance CheckMutex()\r\n");
        if (!m_hMutex) {
            m_hMutex.Reset(platform::CreateMutexW(true, kMutexName));
        }
        if (!m_hMutex || platform::GetLastError() == platform::kErrorAlreadyExists) {
            m_hMutex.Reset();
            DebugLog("VORTAU InitInstance CheckMutex Error!!\r\n");
            return false;
        }
        return true;
    }
    // The first instance lets go of the name just after it has started this one.
    uint32_t start = platform::GetTickCount();
    while (true) {
        DebugLog("VORTAU InitInstance CheckMutex()\r\n");
        m_hMutex.Reset(platform::CreateMutexW(true, kMutexName));
        if (m_hMutex && platform::GetLastError() != platform::kErrorAlreadyExists) {
            return true;
        }
        m_hMutex.Reset();
        if (platform::GetTickCount() - start > kAdminStartWaitMs) {
            DebugLog("VORTAU InitInstance CheckMutex TimeOut!!\r\n");
            return false;
        }
        platform::Sleep(kMutexRetryMs);
    }
}

bool CHalvexApp::RelaunchElevated() {
    std::u16string parameters = CommandLineTail(platform::GetCommandLineW()).substr(0, kTailLimit);
    parameters += u" /";
    parameters += u"ADMIN";
    std::u16string desktop;
    if (GetDeskTopPath(desktop)) {
        parameters += u" /";
        parameters += u"DESKTOP=";
        parameters += u"\"" + desktop + u"\"";
    }
    char16_t file[platform::kMaxPath + 1] = {};  // a cut path comes without a terminator
    platform::GetModuleFileNameW(file, platform::kMaxPath);
    char16_t directory[platform::kMaxPath] = {};
    if (platform::GetCurrentDirectoryW(platform::kMaxPath, directory) >= platform::kMaxPath) {
        directory[0] = 0;
    }
    DebugLog("VORTAU InitInstance ShellExecute(runas)\r\n");
    intptr_t result =
        platform::ShellExecuteW(nullptr, u"runas", file, parameters.c_str(), directory, platform::kSwShow);
    if (result > 32) {
        DebugLog("VORTAU InitInstance ShellExecute Success(%d)\r\n", static_cast<int>(result));
        return true;
    }
    DebugLog("VORTAU InitInstance ShellExecute Error(%d)\r\n", static_cast<int>(result));
    return false;
}

}  // namespace corvane
