#pragma once
// USER32: the top-level windows of the desktop, whichever program owns them.

#include <cstdint>

#include "platform/types.h"

namespace platform {

constexpr uint32_t kWmClose = 0x0010;
constexpr uint32_t kSmtoAbortIfHung = 0x0002;

// Returns non-zero to go on with the next window.
using EnumWindowsProc = int(PLATFORM_API*)(Window window, intptr_t parameter);

// The top-level windows of the calling thread's desktop.
bool EnumDesktopWindows(EnumWindowsProc callback, intptr_t parameter);
// The id of the thread that made the window; `processId` (may be null) receives its process.
uint32_t GetWindowThreadProcessId(Window window, uint32_t* processId);
// The characters written, cut to size - 1; 0 on failure.
int GetClassNameW(Window window, char16_t* buffer, int size);
Window GetDesktopWindow();
// False when the window's thread is hung (with kSmtoAbortIfHung) or did not answer within
// the time-out; `result` (may be null) receives the window's answer.
bool SendMessageTimeoutW(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                         uint32_t flags, uint32_t timeoutMs, uintptr_t* result);

}  // namespace platform
