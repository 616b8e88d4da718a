#pragma once
// char16_t and wchar_t are the same UTF-16 unit on Windows.

#include <windows.h>

static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace platform::win32 {

inline const wchar_t* W(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
inline wchar_t* W(char16_t* text) {
    return reinterpret_cast<wchar_t*>(text);
}

}  // namespace platform::win32
