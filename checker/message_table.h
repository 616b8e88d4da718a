#pragma once
// The numbered user-visible texts and the dialog fonts, from language.ini or built in.

#include <string>
#include <unordered_map>

#include "common/unique_handle.h"

namespace corvane {

class CMessageTable {
  public:
    bool LoadLocalizedString();
    void SetDefaultStrings();

    // False for an undefined id; `text` is emptied first unless the table is empty.
    bool GetText(int id, std::u16string& text) const;

    const std::u16string& GetLanguage() const { return m_strLanguage; }
    platform::Font GetNormalFont() const { return m_normalFont.Get(); }
    platform::Font GetBoldFont() const { return m_boldFont.Get(); }

  private:
    void CreateFonts();

    std::u16string m_strModuleFolder;
    std::u16string m_strLanguage = u"English";
    std::u16string m_strFontFace;
    int m_nFontSize = 0;
    uint32_t m_nCharset = 0;
    UniqueFont m_normalFont;
    UniqueFont m_boldFont;
    std::unordered_map<int, std::u16string> m_messages;
};

}  // namespace corvane
