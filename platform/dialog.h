#pragma once
// USER32 modal dialogs from templates.

#include <cstdint>

namespace platform {

constexpr intptr_t kIdOk = 1;
constexpr intptr_t kIdCancel = 2;

// InitCommonControlsEx for the given class mask.
bool InitCommonControlsEx(uint32_t classes);

// DialogBoxParamW on a template of this program, no owner window. The result is what the
// dialog ended with, or -1 when it could not be created.
intptr_t DialogBoxParamW(int templateId);

}  // namespace platform
