#pragma once
// Conversions between the core's UTF-16 texts and the system's ANSI code page.

#include <string>

namespace corvane {

std::string ToAnsi(const std::u16string& text);

}  // namespace corvane
