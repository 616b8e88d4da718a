#include "common/text.h"

#include "platform/kernel.h"

namespace corvane {

std::string ToAnsi(const std::u16string& text) {
    if (text.empty()) {
        return {};
    }
    int length = static_cast<int>(text.size());
    int needed =
        platform::WideCharToMultiByte(platform::kCodePageAnsi, text.data(), length, nullptr, 0);
    std::string converted(needed > 0 ? needed : 0, '\0');
    int written = platform::WideCharToMultiByte(platform::kCodePageAnsi, text.data(), length,
                                                converted.data(), needed);
    converted.resize(written > 0 ? written : 0);
    return converted;
}

std::u16string FromAnsi(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    int length = static_cast<int>(text.size());
    int needed = platform::MultiByteToWideChar(platform::kCodePageAnsi, platform::kMbPrecomposed,
                                               text.data(), length, nullptr, 0);
    std::u16string converted(needed > 0 ? needed : 0, u'\0');
    int written = platform::MultiByteToWideChar(platform::kCodePageAnsi, platform::kMbPrecomposed,
                                                text.data(), length, converted.data(), needed);
    converted.resize(written > 0 ? written : 0);
    return converted;
}

namespace {

char16_t LowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

}  // namespace

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::u16string ToLowerAscii(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower) {
        c = LowerAscii(c);
    }
    return lower;
}

}  // namespace corvane
