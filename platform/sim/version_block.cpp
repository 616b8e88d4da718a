#include "platform/sim/version_block.h"

#include <cstring>

#include "platform/types.h"

namespace sim {

// Layout: VS_FIXEDFILEINFO; u32 count and the translations (u16 language, u16 code page);
// u32 count and the strings, each as u32 length and characters (the value with its zero).

namespace {

void PutU32(std::string& block, uint32_t value) {
    block.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void PutText(std::string& block, const std::u16string& text, bool withZero) {
    PutU32(block, static_cast<uint32_t>(text.size() + (withZero ? 1 : 0)));
    block.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    if (withZero) {
        block.append(2, '\0');
    }
}

uint32_t GetU32(const char*& cursor) {
    uint32_t value;
    std::memcpy(&value, cursor, sizeof value);
    cursor += sizeof value;
    return value;
}

bool SameText(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i] >= u'a' && a[i] <= u'z' ? a[i] - 32 : a[i];
        char16_t y = b[i] >= u'a' && b[i] <= u'z' ? b[i] - 32 : b[i];
        if (x != y) {
            return false;
        }
    }
    return true;
}

std::u16string Hex4(uint16_t value) {
    const char16_t digits[] = u"0123456789abcdef";
    std::u16string text;
    for (int shift = 12; shift >= 0; shift -= 4) {
        text.push_back(digits[(value >> shift) & 0xF]);
    }
    return text;
}

}  // namespace

std::string BuildVersionBlock(const FileVersion& version) {
    platform::FixedFileInfo fixed{};
    fixed.dwSignature = 0xFEEF04BD;
    fixed.dwStrucVersion = 0x00010000;
    fixed.dwFileVersionMS = fixed.dwProductVersionMS = version.productVersionMS;
    fixed.dwFileVersionLS = fixed.dwProductVersionLS = version.productVersionLS;
    std::string block(reinterpret_cast<const char*>(&fixed), sizeof fixed);
    PutU32(block, static_cast<uint32_t>(version.translations.size()));
    for (auto [language, codePage] : version.translations) {
        PutU32(block, static_cast<uint32_t>(codePage) << 16 | language);
    }
    PutU32(block, static_cast<uint32_t>(version.strings.size()));
    for (const auto& [name, value] : version.strings) {
        PutText(block, name, false);
        PutText(block, value, true);
    }
    return block;
}

bool QueryVersionBlock(const void* block, const std::u16string& subBlock, void** value,
                       uint32_t* length) {
    const char* cursor = static_cast<const char*>(block);
    if (subBlock == u"\\") {
        *value = const_cast<char*>(cursor);
        *length = sizeof(platform::FixedFileInfo);
        return true;
    }
    cursor += sizeof(platform::FixedFileInfo);
    uint32_t translations = GetU32(cursor);
    const char* translationTable = cursor;
    if (SameText(subBlock, u"\\VarFileInfo\\Translation")) {
        *value = const_cast<char*>(translationTable);
        *length = translations * 4;
        return translations > 0;
    }
    std::u16string prefix = u"\\StringFileInfo\\";
    if (translations == 0 || !SameText(subBlock.substr(0, prefix.size()), prefix)) {
        return false;
    }
    uint16_t first[2];
    std::memcpy(first, translationTable, sizeof first);
    std::u16string expected = prefix + Hex4(first[0]) + Hex4(first[1]) + u"\\";
    if (!SameText(subBlock.substr(0, expected.size()), expected)) {
        return false;
    }
    std::u16string name = subBlock.substr(expected.size());
    cursor += translations * 4;
    for (uint32_t count = GetU32(cursor); count > 0; --count) {
        uint32_t nameLength = GetU32(cursor);
        std::u16string entry(nameLength, 0);
        std::memcpy(entry.data(), cursor, nameLength * 2);
        cursor += nameLength * 2;
        uint32_t valueLength = GetU32(cursor);
        if (SameText(entry, name)) {
            *value = const_cast<char*>(cursor);
            *length = valueLength;
            return true;
        }
        cursor += valueLength * 2;
    }
    return false;
}

}  // namespace sim
