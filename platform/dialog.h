#pragma once
// USER32: modal dialogs from templates, their controls, timers and window messages.

#include <cstdint>

#include "platform/types.h"

namespace platform {

using Icon = void*;

constexpr intptr_t kIdOk = 1;
constexpr intptr_t kIdCancel = 2;

constexpr uint32_t kWmKeyDown = 0x0100;
constexpr uint32_t kWmSetFont = 0x0030;
constexpr uint32_t kWmSetIcon = 0x0080;
constexpr uint32_t kWmInitDialog = 0x0110;
constexpr uint32_t kWmCommand = 0x0111;
constexpr uint32_t kWmSysCommand = 0x0112;
constexpr uint32_t kWmTimer = 0x0113;
constexpr uint32_t kWmApp = 0x8000;

constexpr uintptr_t kScClose = 0xF060;
constexpr uintptr_t kVkReturn = 0x0D;
constexpr uintptr_t kVkEscape = 0x1B;
constexpr uintptr_t kIconSmall = 0;
constexpr uintptr_t kIconBig = 1;

constexpr int kSwHide = 0;

constexpr uint32_t kEmSetSel = 0x00B1;

constexpr uint32_t kLbAddString = 0x0180;
constexpr uint32_t kLbSetCurSel = 0x0186;
constexpr uint32_t kLbGetCurSel = 0x0188;
constexpr uint32_t kLbGetItemData = 0x0199;
constexpr uint32_t kLbSetItemData = 0x019A;

struct Message {
    Window window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

// What a dialog does with its messages. The dialog's own thread calls both.
class DialogProcedure {
  public:
    virtual ~DialogProcedure() = default;
    // The dialog procedure: non-zero when the message was handled.
    virtual intptr_t OnMessage(Window dialog, uint32_t message, uintptr_t wParam,
                               intptr_t lParam) = 0;
    // Sees each posted message of the dialog and its controls before it is dispatched;
    // true swallows it.
    virtual bool PreTranslateMessage(const Message&) { return false; }
};

bool InitCommonControlsEx(uint32_t classes);

// DialogBoxParamW on a template of this program. The result is what the dialog ended with,
// or -1 when it could not be created.
intptr_t DialogBoxParamW(int templateId, Window owner, DialogProcedure& procedure);
bool EndDialog(Window dialog, intptr_t result);

Window GetDlgItem(Window dialog, int id);
bool SetWindowTextW(Window window, const char16_t* text);
intptr_t SendMessageW(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam);
bool PostMessageW(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam);
Window SetFocus(Window window);  // the window that had the focus
bool ShowWindow(Window window, int command);
bool EnableWindow(Window window, bool enable);
bool IsWindowEnabled(Window window);
bool UpdateWindow(Window window);
uintptr_t SetTimer(Window window, uintptr_t id, uint32_t elapse);
bool KillTimer(Window window, uintptr_t id);

// SPI_GETFOREGROUNDLOCKTIMEOUT and SPI_SETFOREGROUNDLOCKTIMEOUT.
uint32_t GetForegroundLockTimeout();
void SetForegroundLockTimeout(uint32_t milliseconds);
bool SetForegroundWindow(Window window);

Icon LoadIconW(int id);  // an icon group of this program

}  // namespace platform
