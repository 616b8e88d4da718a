#include "common/file_version_info.h"

#include <cstdio>
#include <new>

#include "platform/version.h"

namespace corvane {

bool CFileVersionInfo::Load(const char16_t* fileName) {
    Free();
    uint32_t size = platform::GetFileVersionInfoSizeW(fileName);
    if (size == 0) {
        return false;
    }
    m_block.reset(new (std::nothrow) uint8_t[size]);
    if (!m_block) {
        return false;
    }
    void* translation = nullptr;
    uint32_t length = 0;
    if (!platform::GetFileVersionInfoW(fileName, size, m_block.get()) ||
        !platform::VerQueryValueW(m_block.get(), u"\\VarFileInfo\\Translation", &translation,
                                  &length) ||
        translation == nullptr || length < 4) {
        Free();
        return false;
    }
    m_pTranslation = static_cast<const uint16_t*>(translation);
    return true;
}

bool CFileVersionInfo::GetFileDescription(std::u16string& text) const {
    if (m_pTranslation == nullptr) {
        return false;
    }
    char path[260] = {};
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", m_pTranslation[0],
                  m_pTranslation[1], "FileDescription");
    std::u16string query(path, path + std::char_traits<char>::length(path));
    void* value = nullptr;
    uint32_t length = 0;
    if (!platform::VerQueryValueW(m_block.get(), query.c_str(), &value, &length) ||
        value == nullptr) {
        return false;
    }
    // The length may or may not count the terminator; the text ends at the first zero.
    const auto* characters = static_cast<const char16_t*>(value);
    size_t count = 0;
    while (count < length && characters[count] != 0) {
        ++count;
    }
    text.assign(characters, count);
    return true;
}

void CFileVersionInfo::Free() {
    m_block.reset();
    m_pTranslation = nullptr;
}

}  // namespace corvane
