#include "launcher/launcher_registry.h"

#include <cstring>

#include "common/unique_handle.h"
#include "platform/kernel.h"

namespace corvane {

int CRegistry::SetRegValueSZ(const char* text) {
    platform::RegistryKey opened = nullptr;
    uint32_t error =
        platform::RegCreateKeyExA(m_hRoot, m_szSubKey, platform::kKeyAllAccess, &opened);
    UniqueRegistryKey key(opened);
    if (error == platform::kErrorSuccess) {
        error = platform::RegSetValueExA(key.Get(), "CorvaneInstDelete", platform::kRegSz, text,
                                         static_cast<uint32_t>(std::strlen(text) + 1));
    }
    if (error != platform::kErrorSuccess) {
        // The registry reports by result; the caller logs the last error.
        platform::SetLastError(error);
        return 0;
    }
    return 1;
}

}  // namespace corvane
