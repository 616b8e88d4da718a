#include "platform/desktop.h"

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

namespace {

// WNDENUMPROC's types differ from the boundary's (HWND, LPARAM), so the caller's callback and
// parameter travel through the LPARAM.
struct Enumeration {
    EnumWindowsProc callback;
    intptr_t parameter;
};

BOOL CALLBACK Forward(HWND window, LPARAM enumeration) {
    auto* forwarded = reinterpret_cast<const Enumeration*>(enumeration);
    return forwarded->callback(window, forwarded->parameter);
}

}  // namespace

bool EnumDesktopWindows(EnumWindowsProc callback, intptr_t parameter) {
    Enumeration enumeration{callback, parameter};
    return ::EnumDesktopWindows(nullptr, Forward, reinterpret_cast<LPARAM>(&enumeration)) != FALSE;
}

uint32_t GetWindowThreadProcessId(Window window, uint32_t* processId) {
    DWORD process = 0;
    DWORD thread = ::GetWindowThreadProcessId(static_cast<HWND>(window), &process);
    if (processId != nullptr) {
        *processId = process;
    }
    return thread;
}

int GetClassNameW(Window window, char16_t* buffer, int size) {
    return ::GetClassNameW(static_cast<HWND>(window), W(buffer), size);
}

Window GetDesktopWindow() {
    return ::GetDesktopWindow();
}

bool SendMessageTimeoutW(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                         uint32_t flags, uint32_t timeoutMs, uintptr_t* result) {
    DWORD_PTR answer = 0;
    LRESULT ok = ::SendMessageTimeoutW(static_cast<HWND>(window), message, wParam, lParam, flags,
                                       timeoutMs, &answer);
    if (result != nullptr) {
        *result = answer;
    }
    return ok != 0;
}

}  // namespace platform
