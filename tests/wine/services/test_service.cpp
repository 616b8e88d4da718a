// A service for the service control tests under Wine. Its arguments (behind the service name
// in its command line) say how it behaves:
//   --start-pending MS   stay start-pending this long before running
//   --stop-pending MS    stay stop-pending this long before stopping
//   --fail-start         end stopped instead of running, after the start-pending time
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

DWORD startPendingMs = 0;
DWORD stopPendingMs = 0;
bool failStart = false;
SERVICE_STATUS_HANDLE statusHandle = nullptr;
HANDLE stopEvent = nullptr;

void Report(DWORD state, DWORD exitCode, DWORD waitHint) {
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    status.dwWin32ExitCode = exitCode;
    status.dwWaitHint = waitHint;
    status.dwCheckPoint = waitHint == 0 ? 0 : 1;
    SetServiceStatus(statusHandle, &status);
}

DWORD WINAPI Control(DWORD control, DWORD, void*, void*) {
    if (control == SERVICE_CONTROL_STOP) {
        // Reported before the handler returns, as a service must: whoever sent the stop may ask
        // for the state at once.
        Report(SERVICE_STOP_PENDING, NO_ERROR, stopPendingMs + 1000);
        SetEvent(stopEvent);
    }
    return NO_ERROR;
}

void WINAPI ServiceMain(DWORD, char** args) {
    statusHandle = RegisterServiceCtrlHandlerExA(args[0], Control, nullptr);
    Report(SERVICE_START_PENDING, NO_ERROR, startPendingMs + 1000);
    Sleep(startPendingMs);
    if (failStart) {
        Report(SERVICE_STOPPED, ERROR_SERVICE_SPECIFIC_ERROR, 0);
        return;
    }
    Report(SERVICE_RUNNING, NO_ERROR, 0);
    WaitForSingleObject(stopEvent, INFINITE);
    Sleep(stopPendingMs);
    Report(SERVICE_STOPPED, NO_ERROR, 0);
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--start-pending") == 0 && i + 1 < argc) {
            startPendingMs = std::strtoul(argv[++i], nullptr, 10);
        } else if (std::strcmp(argv[i], "--stop-pending") == 0 && i + 1 < argc) {
            stopPendingMs = std::strtoul(argv[++i], nullptr, 10);
        } else if (std::strcmp(argv[i], "--fail-start") == 0) {
            failStart = true;
        }
    }
    stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    char name[] = "";
    SERVICE_TABLE_ENTRYA table[] = {{name, ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
