#pragma once
// The version resource of a program file, to recognise programs by their description.

#include <cstdint>
#include <memory>
#include <string>

namespace corvane {

class CFileVersionInfo {
  public:
    bool Load(const char16_t* fileName);
    // The FileDescription of the first translation, whole.
    bool GetFileDescription(std::u16string& text) const;
    void Free();

  private:
    std::unique_ptr<uint8_t[]> m_block;
    const uint16_t* m_pTranslation = nullptr;  // language id, code page
};

}  // namespace corvane
