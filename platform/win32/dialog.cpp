#include "platform/dialog.h"

#include <windows.h>

#include <commctrl.h>

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

namespace {

HWND Hwnd(Window window) {
    return static_cast<HWND>(window);
}

// The procedures of the modal dialogs open on this thread, innermost last; the message
// filter hook hands them each posted message before the dialog manager dispatches it.
struct OpenDialog {
    HWND dialog;
    DialogProcedure* procedure;
    OpenDialog* outer;
};
thread_local OpenDialog* openDialogs = nullptr;
thread_local HHOOK filterHook = nullptr;

LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && msg != nullptr) {
        for (OpenDialog* open = openDialogs; open != nullptr; open = open->outer) {
            if (open->dialog != nullptr &&
                (msg->hwnd == open->dialog || ::IsChild(open->dialog, msg->hwnd))) {
                if (open->procedure->PreTranslateMessage(
                        {msg->hwnd, msg->message, msg->wParam, msg->lParam})) {
                    return TRUE;
                }
                break;
            }
        }
    }
    return ::CallNextHookEx(filterHook, code, wParam, lParam);
}

INT_PTR CALLBACK Trampoline(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* open = reinterpret_cast<OpenDialog*>(lParam);
        open->dialog = dialog;
        ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(open->procedure));
    }
    auto* procedure = reinterpret_cast<DialogProcedure*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    return procedure == nullptr ? FALSE
                                : procedure->OnMessage(dialog, message, wParam,
                                                       message == WM_INITDIALOG ? 0 : lParam);
}

}  // namespace

bool InitCommonControlsEx(uint32_t classes) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, classes};
    return ::InitCommonControlsEx(&controls) != FALSE;
}

intptr_t DialogBoxParamW(int templateId, Window owner, DialogProcedure& procedure) {
    OpenDialog open = {nullptr, &procedure, openDialogs};
    openDialogs = &open;
    bool outermost = filterHook == nullptr;
    if (outermost) {
        filterHook =
            ::SetWindowsHookExW(WH_MSGFILTER, MessageFilter, nullptr, ::GetCurrentThreadId());
    }
    INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                       Hwnd(owner), Trampoline, reinterpret_cast<LPARAM>(&open));
    if (outermost && filterHook != nullptr) {
        ::UnhookWindowsHookEx(filterHook);
        filterHook = nullptr;
    }
    openDialogs = open.outer;
    return result;
}

bool EndDialog(Window dialog, intptr_t result) {
    return ::EndDialog(Hwnd(dialog), result) != FALSE;
}

Window GetDlgItem(Window dialog, int id) {
    return ::GetDlgItem(Hwnd(dialog), id);
}

bool SetWindowTextW(Window window, const char16_t* text) {
    return ::SetWindowTextW(Hwnd(window), W(text)) != FALSE;
}

intptr_t SendMessageW(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return ::SendMessageW(Hwnd(window), message, wParam, lParam);
}

Window SetFocus(Window window) {
    return ::SetFocus(Hwnd(window));
}

bool PostMessageW(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return ::PostMessageW(Hwnd(window), message, wParam, lParam) != FALSE;
}

bool ShowWindow(Window window, int command) {
    return ::ShowWindow(Hwnd(window), command) != FALSE;
}

bool EnableWindow(Window window, bool enable) {
    return ::EnableWindow(Hwnd(window), enable) != FALSE;
}

bool IsWindowEnabled(Window window) {
    return ::IsWindowEnabled(Hwnd(window)) != FALSE;
}

bool UpdateWindow(Window window) {
    return ::UpdateWindow(Hwnd(window)) != FALSE;
}

uintptr_t SetTimer(Window window, uintptr_t id, uint32_t elapse) {
    return ::SetTimer(Hwnd(window), id, elapse, nullptr);
}

bool KillTimer(Window window, uintptr_t id) {
    return ::KillTimer(Hwnd(window), id) != FALSE;
}

uint32_t GetForegroundLockTimeout() {
    DWORD timeout = 0;
    ::SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
    return timeout;
}

void SetForegroundLockTimeout(uint32_t milliseconds) {
    ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                            reinterpret_cast<void*>(static_cast<uintptr_t>(milliseconds)), 0);
}

bool SetForegroundWindow(Window window) {
    return ::SetForegroundWindow(Hwnd(window)) != FALSE;
}

Icon LoadIconW(int id) {
    return ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
}

}  // namespace platform
