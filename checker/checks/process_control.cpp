#include "checker/checks/process_control.h"

#include <string>
#include <string_view>

#include "checker/checks/os_version.h"
#include "checker/checks/process_operations.h"
#include "checker/checks/process_snapshot.h"
#include "checker/checks/startup_command.h"
#include "common/log_channel.h"
#include "common/text.h"
#include "netconfig/service_control.h"
#include "platform/desktop.h"
#include "platform/shell.h"

namespace corvane {

namespace {

constexpr int kVista = 3;
// A utility that has not answered WM_CLOSE by then is hung: the check must go on without it.
constexpr uint32_t kCloseAnswerMs = 5000;

struct AccessConnectionsWindow {
    const char16_t* executable;
    const char16_t* windowClass;
    const char16_t* description;
};
constexpr AccessConnectionsWindow kVistaWindows[] = {
    {u"ACWLIcon.exe", u"#32770", u"ThinkVantage Access Connections Wireless lan Icon Module"},
    {u"ACMainGUI.exe", u"ACMainGUIMainFrameWnd",
     u"ThinkVantage Access Connections Main GUI Application"},
};
constexpr AccessConnectionsWindow kOlderWindows[] = {
    {u"ACWLIcon.exe", u"#32770", u"Access Connections Tray Status Application"},
    {u"ACMainGUI.exe", u"ACMainGUIMainFrameWnd", u"Access Connections Main GUI"},
};

bool Empty(const char16_t* text) {
    return text == nullptr || *text == u'\0';
}

uint32_t LogValue(platform::Window window) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}

bool SendClose(platform::Window window) {
    uintptr_t answer = 0;
    return platform::SendMessageTimeoutW(window, platform::kWmClose, 0, 0,
                                         platform::kSmtoAbortIfHung, kCloseAnswerMs, &answer);
}

template <size_t N>
void CloseAccessConnectionsWindows(const ProcessSnapshot& snapshot,
                                   const AccessConnectionsWindow (&windows)[N]) {
    for (const AccessConnectionsWindow& target : windows) {
        g_logChannel.PrintfW(u"    GetWindow( \"%s\", \"%s\", \"%s\" )", target.executable,
                             target.windowClass, target.description);
        platform::Window window =
            FindProcessWindow(snapshot, target.executable, target.windowClass, target.description);
        g_logChannel.PrintfW(u"    ret = 0x%x", LogValue(window));
        if (window != nullptr) {
            g_logChannel.PrintfW(u"    :SendMessage( hWnd, WM_CLOSE, 0, 0 ) Start");
            SendClose(window);
            g_logChannel.PrintfW(u"    :SendMessage( hWnd, WM_CLOSE, 0, 0 ) End");
        }
    }
}

bool IsServiceActive(const std::string& name) {
    CServiceControl services;
    return services.IsActive(0x0B, name.c_str()) || services.IsActive(0x30, name.c_str());
}

void Raise(int* waitMs, uint32_t rowWaitMs) {
    if (waitMs != nullptr && static_cast<int>(rowWaitMs) > *waitMs) {
        *waitMs = static_cast<int>(rowWaitMs);
    }
}

void Mark(UtilityRow& row, int* changed) {
    row.closed = 1;
    if (changed != nullptr) {
        *changed = 1;
    }
}

void LogRow(int index, const char16_t* executable, const char16_t* service) {
    g_logChannel.PrintfW(u"    [%d][%s][%s]", index, executable, service);
}

void VistaPass(UtilityControlContext& context, int mode) {
    g_logChannel.PrintfW(u"Vista ProcessControl Enter mode %d", mode);
    ProcessSnapshot snapshot;
    snapshot.Take();
    CloseAccessConnectionsWindows(snapshot, kVistaWindows);
    CServiceControl services;
    if (mode == kProcessControlEnter && IsServiceActive("AcSvc")) {
        g_logChannel.PrintfW(u"Vista ProcessControl StopService [AcSvc]");
        int result = services.Stop("AcSvc", 1);
        g_logChannel.PrintfW(u"                 ret=%d", result);
        context.acSvcStopped = result != 0 ? 1 : 0;
    }
    if (mode == kProcessControlLeave && context.acSvcStopped != 0) {
        g_logChannel.PrintfW(u"Vista ProcessControl StartService [AcSvc]");
        g_logChannel.PrintfW(u"                 ret=%d", services.Start("AcSvc", 1));
        context.acSvcStopped = 0;
    }
    g_logChannel.PrintfW(u"Vista ProcessControl Leave");
}

void StopServices(UtilityTable& table, int* changed) {
    CServiceControl services;
    for (size_t i = 0; i < table.size(); ++i) {
        UtilityRow& row = table[i];
        if (Empty(row.stopService)) {
            continue;
        }
        LogRow(static_cast<int>(i), row.stopExecutable, row.stopService);
        std::string service = ToAnsi(row.stopService);
        if (!IsServiceActive(service)) {
            g_logChannel.PrintfW(u"    ProcessControl doesn't start [%s]", row.stopService);
            continue;
        }
        g_logChannel.PrintfW(u"    ProcessControl StopService [%s]", row.stopService);
        int result = services.Stop(service.c_str(), 1);
        g_logChannel.PrintfW(u"                 ret=%d", result);
        if (result != 0) {
            Mark(row, changed);
        }
    }
}

// Whether Windows would start the utility again at logon, logged as the lookups go.
bool CanBeStartedAgain(const UtilityRow& row) {
    if ((row.action == kUtilityCloseWindow || row.action == kUtilityTerminate) &&
        !Empty(row.restartExecutable)) {
        StartupCommand restart =
            GetProcessPathFromStartUpPath(row.restartExecutable, row.restartDescription);
        if (!restart.found) {
            g_logChannel.PrintfW(u"    Not Found[%s][%s]", row.restartExecutable,
                                 row.restartDescription);
            return false;
        }
        g_logChannel.PrintfW(u"    Found[%s][%s][%s]", restart.path.c_str(),
                             restart.arguments.c_str(), restart.shortcut.c_str());
    }
    if (!GetProcessPathFromStartUpPath(row.stopExecutable, row.stopDescription).found) {
        g_logChannel.PrintfW(
            u"    ProcessControl B GetProcessPathFromStartUpPath It was not possible to acquire "
            u"it. [%s][%s]",
            row.stopExecutable, row.stopDescription);
        return false;
    }
    return true;
}

// Whether the utility was closed, ended or suspended.
bool StopUtility(const ProcessSnapshot& snapshot, const UtilityRow& row) {
    switch (row.action) {
        case kUtilityCloseWindow: {
            g_logChannel.PrintfW(u"    ProcessControl SendMessage WM_CLOSE \"%s\" \"%s\"",
                                 row.stopExecutable, row.windowClass);
            platform::Window window = FindProcessWindow(snapshot, row.stopExecutable,
                                                        row.windowClass, row.stopDescription);
            g_logChannel.PrintfW(u"                 hWnd=0x%08x", LogValue(window));
            return window != nullptr && SendClose(window);
        }
        case kUtilityTerminate: {
            g_logChannel.PrintfW(u"    ProcessControl TerminateProcess \"%s\"", row.stopExecutable);
            int result = TerminateProcessByName(snapshot, row.stopExecutable, row.stopDescription);
            g_logChannel.PrintfW(u"                 ret=%d", result);
            return result != 0;
        }
        case kUtilitySuspend: {
            g_logChannel.PrintfW(u"    ProcessControl SuspendProcess \"%s\"", row.stopExecutable);
            int result = SuspendProcess(snapshot, row.stopExecutable, row.stopDescription);
            g_logChannel.PrintfW(u"                 ret=%d", result);
            return result != 0;
        }
        default:
            return false;
    }
}

void StopUtilities(UtilityTable& table, int* changed) {
    ProcessSnapshot snapshot;
    snapshot.Take();
    for (size_t i = 0; i < table.size(); ++i) {
        UtilityRow& row = table[i];
        if (Empty(row.stopExecutable)) {
            continue;
        }
        LogRow(static_cast<int>(i), row.stopExecutable, row.stopService);
        if (row.action == kUtilityCloseWindow && Empty(row.windowClass)) {
            continue;
        }
        if (CanBeStartedAgain(row) && StopUtility(snapshot, row)) {
            Mark(row, changed);
        }
    }
}

void Enter(UtilityControlContext& context, int* changed) {
    g_logChannel.PrintfW(u"ProcessControl Enter mode %d", kProcessControlEnter);
    ProcessSnapshot snapshot;
    snapshot.Take();
    CloseAccessConnectionsWindows(snapshot, kOlderWindows);
    context.cm3TrayWasRunning = IsProcessRunning(snapshot, u"cm3_tray.exe") ? 1 : 0;
    snapshot.Free();
    StopServices(context.utilities, changed);
    StopUtilities(context.utilities, changed);
    g_logChannel.PrintfW(u"ProcessControl Leave");
}

void StartServices(UtilityTable& table, int* waitMs) {
    CServiceControl services;
    for (size_t i = 0; i < table.size(); ++i) {
        UtilityRow& row = table[i];
        if (row.closed != 1 || Empty(row.restartService)) {
            continue;
        }
        LogRow(static_cast<int>(i), row.restartExecutable, row.restartService);
        g_logChannel.PrintfW(u"    ProcessControl StartService \"%s\"", row.restartService);
        g_logChannel.PrintfW(u"                 ret=%d",
                             services.Start(ToAnsi(row.restartService).c_str(), 1));
        row.closed = 0;
        Raise(waitMs, row.waitMs);
    }
}

// Whether the row was brought back, so that it is no longer marked.
bool StartUtility(const ProcessSnapshot& snapshot, const UtilityRow& row) {
    if (row.action == kUtilitySuspend) {
        g_logChannel.PrintfW(u"    ProcessControl ResumeProcess \"%s\"", row.restartExecutable);
        g_logChannel.PrintfW(
            u"                 ret=%d",
            ResumeProcess(snapshot, row.restartExecutable, row.restartDescription));
        return true;
    }
    StartupCommand command =
        GetProcessPathFromStartUpPath(row.restartExecutable, row.restartDescription);
    if (!command.found) {
        return false;
    }
    platform::Window desktop = platform::GetDesktopWindow();
    if (!command.shortcut.empty()) {
        g_logChannel.PrintfW(u"    ProcessControl ShellExecute \"%s\"", command.shortcut.c_str());
        platform::ShellExecuteW(desktop, nullptr, command.shortcut.c_str(), nullptr, nullptr,
                                platform::kSwShowNormal);
    } else {
        g_logChannel.PrintfW(u"    ProcessControl ShellExecute \"%s\" \"%s\"", command.path.c_str(),
                             command.arguments.c_str());
        platform::ShellExecuteW(desktop, nullptr, command.path.c_str(), command.arguments.c_str(),
                                nullptr, platform::kSwShowNormal);
    }
    return true;
}

void StartUtilities(UtilityControlContext& context, int* waitMs, uint8_t* restartAdapter) {
    ProcessSnapshot snapshot;
    snapshot.Take();
    for (size_t i = 0; i < context.utilities.size(); ++i) {
        UtilityRow& row = context.utilities[i];
        if (row.closed != 1 || Empty(row.restartExecutable)) {
            continue;
        }
        LogRow(static_cast<int>(i), row.restartExecutable, row.restartService);
        if (std::u16string_view(row.restartExecutable) == u"QCTRAY.EXE" &&
            restartAdapter != nullptr) {
            *restartAdapter = 0;
        }
        // Without its tray program running, the Client Manager's service is what comes back.
        if (EqualsIgnoringCase(row.restartExecutable, u"cm3_tray.exe") &&
            context.cm3TrayWasRunning == 0) {
            CServiceControl().Start("Bwsvc", 1);
            continue;
        }
        if (StartUtility(snapshot, row)) {
            row.closed = 0;
            Raise(waitMs, row.waitMs);
        }
    }
}

void Leave(UtilityControlContext& context, int* waitMs, uint8_t* restartAdapter) {
    g_logChannel.PrintfW(u"ProcessControl Enter mode %d", kProcessControlLeave);
    StartServices(context.utilities, waitMs);
    StartUtilities(context, waitMs, restartAdapter);
    g_logChannel.PrintfW(u"ProcessControl Leave");
}

}  // namespace

int ProcessControl(int* changed, int* waitMs, UtilityControlContext& context, int mode,
                   uint8_t* restartAdapter) {
    if (restartAdapter != nullptr) {
        *restartAdapter = 1;
    }
    if (GetOSVersion() == kVista) {
        VistaPass(context, mode);
        return 1;
    }
    if (mode == kProcessControlEnter) {
        Enter(context, changed);
    } else if (mode == kProcessControlLeave) {
        Leave(context, waitMs, restartAdapter);
    } else {
        return 0;
    }
    return 1;
}

}  // namespace corvane
