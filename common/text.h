#pragma once
// Conversions between the core's UTF-16 texts and the system's ANSI code page.

#include <string>

namespace corvane {

std::string ToAnsi(const std::u16string& text);
// Bytes that have no character in the code page become what the system makes of them.
std::u16string FromAnsi(const std::string& text);

}  // namespace corvane
