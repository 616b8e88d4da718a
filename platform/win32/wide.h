#pragma once
// char16_t and wchar_t are the same UTF-16 unit on Windows.

#include <windows.h>

#include <algorithm>
#include <cstddef>

static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace platform::win32 {

inline const wchar_t* W(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
inline wchar_t* W(char16_t* text) {
    return reinterpret_cast<wchar_t*>(text);
}

// A text field of a Windows structure into the boundary's, cut to fit and always terminated.
template <size_t From, size_t To>
void CopyText(const wchar_t (&from)[From], char16_t (&to)[To]) {
    const wchar_t* end = std::find(from, from + From, L'\0');
    size_t length = std::min<size_t>(end - from, To - 1);
    std::copy_n(from, length, to);
    to[length] = u'\0';
}

}  // namespace platform::win32
