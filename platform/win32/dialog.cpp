#include "platform/dialog.h"

#include <windows.h>

#include <commctrl.h>

namespace platform {

bool InitCommonControlsEx(uint32_t classes) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, classes};
    return ::InitCommonControlsEx(&controls) != FALSE;
}

static INT_PTR CALLBACK NoDialogProcedure(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

intptr_t DialogBoxParamW(int templateId) {
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), nullptr,
                             NoDialogProcedure, 0);
}

}  // namespace platform
