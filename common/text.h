#pragma once
// Conversions between the core's UTF-16 texts and the system's ANSI code page.

#include <string>
#include <string_view>

namespace corvane {

std::string ToAnsi(const std::u16string& text);
// Bytes that have no character in the code page become what the system makes of them.
std::u16string FromAnsi(const std::string& text);

// Program and file names are compared and searched without regard to the case of their
// Latin letters, which is all the names we look for have.
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);
std::u16string ToLowerAscii(std::u16string_view text);

}  // namespace corvane
