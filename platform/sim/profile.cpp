// GetPrivateProfileStringW and GetPrivateProfileIntW over the simulated files, following the
// documented behaviour: the file's byte-order mark picks the encoding (none: the ANSI code
// page), names match without case, values lose surrounding blanks and one pair of enclosing
// quotes, a missing key gives the default, and the result is cut to the buffer.

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/kernel.h"
#include "platform/sim/code_page.h"
#include "platform/sim/pc.h"

namespace platform {

namespace {

std::u16string Decode(const std::string& bytes, uint32_t ansiCodePage) {
    auto startsWith = [&](std::string_view bom) { return bytes.starts_with(bom); };
    if (startsWith("\xFF\xFE") || startsWith("\xFE\xFF")) {
        bool bigEndian = bytes[0] == '\xFE';
        std::u16string text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            auto first = static_cast<uint8_t>(bytes[i]);
            auto second = static_cast<uint8_t>(bytes[i + 1]);
            text.push_back(
                static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first)));
        }
        return text;
    }
    if (startsWith("\xEF\xBB\xBF")) {
        return sim::FromUtf8(bytes.substr(3));
    }
    return sim::ToUtf16(bytes, ansiCodePage);
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string Trim(std::u16string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return std::u16string(text.substr(begin, end - begin));
}

bool SameName(std::u16string_view a, std::u16string_view b) {
    auto fold = [](char16_t c) {
        return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
    };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

std::vector<std::u16string> Lines(const std::u16string& text) {
    std::vector<std::u16string> lines;
    std::u16string line;
    for (char16_t c : text) {
        if (c == u'\r' || c == u'\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(c);
        }
    }
    lines.push_back(line);
    return lines;
}

// The value of `key` in the first section named `section`, or nothing.
std::optional<std::u16string> Find(const std::u16string& text, std::u16string_view section,
                                   std::u16string_view key) {
    bool seenSection = false;
    bool inSection = false;
    for (const std::u16string& raw : Lines(text)) {
        std::u16string line = Trim(raw);
        if (line.starts_with(u'[')) {
            if (inSection) {
                return std::nullopt;
            }
            size_t close = line.find(u']');
            std::u16string name = Trim(std::u16string_view(line).substr(1, close - 1));
            inSection = !seenSection && SameName(name, section);
            seenSection = seenSection || inSection;
            continue;
        }
        size_t equals = line.find(u'=');
        if (!inSection || line.starts_with(u';') || equals == std::u16string::npos) {
            continue;
        }
        if (SameName(Trim(std::u16string_view(line).substr(0, equals)), key)) {
            std::u16string value = Trim(std::u16string_view(line).substr(equals + 1));
            if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
            return value;
        }
    }
    return std::nullopt;
}

std::optional<std::u16string> Lookup(const char16_t* section, const char16_t* key,
                                     const char16_t* fileName) {
    sim::Pc& pc = sim::CurrentPc();
    const sim::File* file = fileName == nullptr ? nullptr : pc.FindFile(fileName);
    if (file == nullptr || file->directory) {
        SetLastError(kErrorFileNotFound);
        return std::nullopt;
    }
    if (section == nullptr || key == nullptr) {
        return std::nullopt;
    }
    return Find(Decode(file->bytes, pc.scenario().ansiCodePage), section, key);
}

}  // namespace

uint32_t GetPrivateProfileStringW(const char16_t* section, const char16_t* key,
                                  const char16_t* defaultValue, char16_t* buffer, uint32_t size,
                                  const char16_t* fileName) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    std::u16string value =
        Lookup(section, key, fileName).value_or(defaultValue == nullptr ? u"" : defaultValue);
    size_t copied = std::min<size_t>(value.size(), size - 1);
    std::copy_n(value.begin(), copied, buffer);
    buffer[copied] = 0;
    return static_cast<uint32_t>(copied);
}

uint32_t GetPrivateProfileIntW(const char16_t* section, const char16_t* key, int defaultValue,
                               const char16_t* fileName) {
    std::optional<std::u16string> value = Lookup(section, key, fileName);
    if (!value || value->empty()) {
        return static_cast<uint32_t>(defaultValue);
    }
    size_t i = 0;
    bool negative = false;
    if ((*value)[i] == u'-' || (*value)[i] == u'+') {
        negative = (*value)[i++] == u'-';
    }
    uint32_t number = 0;
    for (; i < value->size() && (*value)[i] >= u'0' && (*value)[i] <= u'9'; ++i) {
        number = number * 10 + static_cast<uint32_t>((*value)[i] - u'0');
    }
    return negative ? 0u - number : number;
}

}  // namespace platform
