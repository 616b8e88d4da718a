#include "platform/dialog.h"

#include "platform/sim/pc.h"

namespace platform {

namespace {
sim::DialogHost& Host() {
    return sim::CurrentPc().dialogs();
}
uint32_t foregroundLockTimeout = 200000;
}  // namespace

bool InitCommonControlsEx(uint32_t) {
    return true;
}

intptr_t DialogBoxParamW(int templateId, Window owner, DialogProcedure& procedure) {
    return Host().Run(templateId, owner, procedure);
}

bool EndDialog(Window dialog, intptr_t result) {
    return Host().EndDialog(dialog, result);
}
Window GetDlgItem(Window dialog, int id) {
    return Host().GetDlgItem(dialog, id);
}
bool SetWindowTextW(Window window, const char16_t* text) {
    return Host().SetWindowText(window, text);
}
intptr_t SendMessageW(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return Host().SendMessage(window, message, wParam, lParam);
}
bool PostMessageW(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return Host().PostMessage(window, message, wParam, lParam);
}
Window SetFocus(Window window) {
    return Host().SetFocus(window);
}
bool ShowWindow(Window window, int command) {
    return Host().ShowWindow(window, command);
}
bool EnableWindow(Window window, bool enable) {
    return Host().EnableWindow(window, enable);
}
bool IsWindowEnabled(Window window) {
    return Host().IsWindowEnabled(window);
}
bool UpdateWindow(Window window) {
    return window != nullptr;
}
uintptr_t SetTimer(Window window, uintptr_t id, uint32_t elapse) {
    return Host().SetTimer(window, id, elapse);
}
bool KillTimer(Window window, uintptr_t id) {
    return Host().KillTimer(window, id);
}

uint32_t GetForegroundLockTimeout() {
    return foregroundLockTimeout;
}
void SetForegroundLockTimeout(uint32_t milliseconds) {
    foregroundLockTimeout = milliseconds;
}
bool SetForegroundWindow(Window window) {
    return window != nullptr;
}

Icon LoadIconW(int id) {
    return sim::CurrentPc().scenario().resources.contains({id, 14})
               ? reinterpret_cast<Icon>(static_cast<intptr_t>(id))
               : nullptr;
}

}  // namespace platform
