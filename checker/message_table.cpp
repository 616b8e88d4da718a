#include "checker/message_table.h"

#include <string>

#include "checker/default_messages.h"
#include "checker/module_path.h"
#include "platform/gdi.h"
#include "platform/kernel.h"

namespace corvane {

namespace {

constexpr uint32_t kValueBuffer = 1024;
constexpr int kLastId = 999;
// A value no real text has: tells an absent key from an empty one.
constexpr const char16_t* kAbsent = u"jDse*^3:{";

std::u16string ReadString(const char16_t* section, const char16_t* key,
                          const char16_t* defaultValue, const std::u16string& file) {
    char16_t buffer[kValueBuffer] = {};
    platform::GetPrivateProfileStringW(section, key, defaultValue, buffer, kValueBuffer,
                                       file.c_str());
    return buffer;
}

std::u16string WithLineBreaks(std::u16string text) {
    for (size_t at = text.find(u"\\n"); at != std::u16string::npos;
         at = text.find(u"\\n", at + 2)) {
        text.replace(at, 2, u"\r\n");
    }
    return text;
}

bool IsKnownCharset(uint32_t charset) {
    return charset == 0 || charset == 128 || charset == 129 || charset == 134;
}

}  // namespace

bool CMessageTable::LoadLocalizedString() {
    if (!GetModuleFolder(m_strModuleFolder)) {
        return false;
    }
    std::u16string file = m_strModuleFolder + u"language.ini";
    if (platform::GetFileAttributesW(file.c_str()) == platform::kInvalidFileAttributes) {
        return false;
    }
    m_strLanguage = ReadString(u"SYSTEM", u"Language", u"English", file);
    m_strFontFace = ReadString(u"SYSTEM", u"font", u"MS Sans Serif", file);
    m_nFontSize =
        static_cast<int>(platform::GetPrivateProfileIntW(u"SYSTEM", u"size", 8, file.c_str()));
    m_nCharset = platform::GetPrivateProfileIntW(u"SYSTEM", u"charset", 0, file.c_str());
    if (!IsKnownCharset(m_nCharset)) {
        m_nCharset = 0;
    }
    for (int id = 0; id <= kLastId; ++id) {
        std::u16string key;
        for (char c : std::to_string(id)) {
            key.push_back(static_cast<char16_t>(c));
        }
        std::u16string value = ReadString(u"MESSAGE", key.c_str(), kAbsent, file);
        if (value != kAbsent) {
            m_messages[id] = WithLineBreaks(std::move(value));
        }
    }
    if (m_messages.empty()) {
        return false;
    }
    CreateFonts();
    return true;
}

void CMessageTable::SetDefaultStrings() {
    m_strLanguage = u"English";
    m_nFontSize = 12;
    m_strFontFace = u"MS Sans Serif";
    m_nCharset = 0;
    for (const DefaultMessage& message : kDefaultMessages) {
        m_messages[message.id] = message.text;
    }
    CreateFonts();
}

bool CMessageTable::GetText(int id, std::u16string& text) const {
    if (m_messages.empty()) {
        return false;
    }
    text.clear();
    auto found = m_messages.find(id);
    if (found == m_messages.end()) {
        return false;
    }
    text = found->second;
    return true;
}

void CMessageTable::CreateFonts() {
    auto create = [this](int weight) {
        return UniqueFont(platform::CreateFontW(m_nFontSize, 0, 0, 0, weight, 0, 0, 0, m_nCharset,
                                                0, 0, 0, 0x20, m_strFontFace.c_str()));
    };
    m_normalFont = create(400);
    m_boldFont = create(700);
}

}  // namespace corvane
