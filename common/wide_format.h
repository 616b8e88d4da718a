#pragma once
// A bounded formatter for wide texts in the style of wsprintfW: %s and %ls take UTF-16
// strings, %S and %hs 8-bit ones in the ANSI code page; d, i, u, x, X, c
// with the flags '-', '0' and '#', a width and a precision (the most characters of a string,
// the fewest digits of a number).

#include <cstdarg>
#include <cstddef>

namespace corvane {

// Writes at most capacity - 1 units and a terminator; returns the units written.
int FormatWide(char16_t* buffer, size_t capacity, const char16_t* format, va_list args);

}  // namespace corvane
