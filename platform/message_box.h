#pragma once
// USER32: message boxes and this program's string table, in UTF-16.

#include <cstdint>

#include "platform/types.h"

namespace platform {

constexpr uint32_t kMbOk = 0x00;
constexpr uint32_t kMbIconExclamation = 0x30;
constexpr int kIdOkButton = 1;

// Modal; the button the user pressed (IDOK for an OK box), 0 when it could not be shown.
int MessageBoxW(Window owner, const char16_t* text, const char16_t* caption, uint32_t type);

// String `id` of this program's string table, cut to `size` units with its terminator; the
// units copied, 0 when there is no such string.
int LoadStringW(int id, char16_t* buffer, int size);

// INITCOMMONCONTROLSEX and InitCommonControlsEx, for a program that finds COMCTL32 at run
// time instead of importing it.
struct InitCommonControlsExData {
    uint32_t dwSize;
    uint32_t dwICC;
};
using InitCommonControlsExFn = int(PLATFORM_API*)(const InitCommonControlsExData* init);

}  // namespace platform
