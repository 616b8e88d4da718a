#pragma once
// VERSION.dll, loaded by full path from the system directory. The launcher runs from a
// download folder, and VERSION is no Known DLL on every system we run on: an import of it
// would load whatever VERSION.dll lies beside the launcher.

#include <cstdint>

#include "common/unique_handle.h"
#include "platform/version.h"

namespace corvane {

class CVersionLibrary {
  public:
    CVersionLibrary();

    // False, and every call failing, when the library or one of its calls cannot be had.
    bool IsLoaded() const { return m_pfnVerQueryValue != nullptr; }

    uint32_t GetFileVersionInfoSize(const char16_t* fileName) const;
    bool GetFileVersionInfo(const char16_t* fileName, uint32_t size, void* block) const;
    bool VerQueryValue(const void* block, const char16_t* subBlock, void** value,
                       uint32_t* length) const;

  private:
    UniqueLibrary m_hLibrary;
    platform::GetFileVersionInfoSizeWFn m_pfnGetFileVersionInfoSize = nullptr;
    platform::GetFileVersionInfoWFn m_pfnGetFileVersionInfo = nullptr;
    platform::VerQueryValueWFn m_pfnVerQueryValue = nullptr;
};

}  // namespace corvane
