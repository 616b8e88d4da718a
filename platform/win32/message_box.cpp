#include "platform/message_box.h"

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

int MessageBoxW(Window owner, const char16_t* text, const char16_t* caption, uint32_t type) {
    return ::MessageBoxW(static_cast<HWND>(owner), W(text), W(caption), type);
}

int LoadStringW(int id, char16_t* buffer, int size) {
    return ::LoadStringW(::GetModuleHandleW(nullptr), id, W(buffer), size);
}

}  // namespace platform
