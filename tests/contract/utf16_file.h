#pragma once
// The bytes of a UTF-16LE text file with a byte-order mark, as the language files are stored.

#include <string>
#include <string_view>

namespace contract {

inline std::string Utf16LeFile(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

}  // namespace contract
