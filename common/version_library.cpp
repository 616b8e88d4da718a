#include "common/version_library.h"

#include <string>

#include "platform/kernel.h"

namespace corvane {

CVersionLibrary::CVersionLibrary() {
    char16_t system[platform::kMaxPath] = {};
    uint32_t length = platform::GetSystemDirectoryW(system, platform::kMaxPath);
    if (length == 0 || length >= static_cast<uint32_t>(platform::kMaxPath)) {
        return;
    }
    m_hLibrary.Reset(platform::LoadLibraryW((std::u16string(system) + u"\\version.dll").c_str()));
    if (!m_hLibrary) {
        return;
    }
    auto size = reinterpret_cast<platform::GetFileVersionInfoSizeWFn>(
        platform::GetProcAddress(m_hLibrary.Get(), "GetFileVersionInfoSizeW"));
    auto info = reinterpret_cast<platform::GetFileVersionInfoWFn>(
        platform::GetProcAddress(m_hLibrary.Get(), "GetFileVersionInfoW"));
    auto query = reinterpret_cast<platform::VerQueryValueWFn>(
        platform::GetProcAddress(m_hLibrary.Get(), "VerQueryValueW"));
    if (size != nullptr && info != nullptr && query != nullptr) {
        m_pfnGetFileVersionInfoSize = size;
        m_pfnGetFileVersionInfo = info;
        m_pfnVerQueryValue = query;
    }
}

uint32_t CVersionLibrary::GetFileVersionInfoSize(const char16_t* fileName) const {
    uint32_t handle = 0;
    return IsLoaded() ? m_pfnGetFileVersionInfoSize(fileName, &handle) : 0;
}

bool CVersionLibrary::GetFileVersionInfo(const char16_t* fileName, uint32_t size,
                                         void* block) const {
    return IsLoaded() && m_pfnGetFileVersionInfo(fileName, 0, size, block) != 0;
}

bool CVersionLibrary::VerQueryValue(const void* block, const char16_t* subBlock, void** value,
                                    uint32_t* length) const {
    return IsLoaded() && m_pfnVerQueryValue(block, subBlock, value, length) != 0;
}

}  // namespace corvane
