#pragma once
// Text conversions of the simulated PC.

#include <cstdint>
#include <string>

namespace sim {

std::string ToUtf8(const std::u16string& text);
std::u16string FromUtf8(const std::string& text);
// To an ANSI code page (1252, 932, ...): characters without a mapping become '?'.
std::string FromUtf16(const std::u16string& text, uint32_t codePage);
// From an ANSI code page; bytes without a mapping become U+FFFD.
std::u16string ToUtf16(const std::string& bytes, uint32_t codePage);
// Whether `byte` starts a double-byte character of the code page (932, 936, 949, 950).
bool IsLeadByte(uint8_t byte, uint32_t codePage);

}  // namespace sim
