#include "wlan/wzc_control_flags.h"

#include <string>

#include "common/text.h"
#include "netconfig/unique_keys.h"
#include "platform/registry.h"

namespace corvane {

namespace {

constexpr char16_t kInterfacesKey[] = u"SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";

}  // namespace

int GetWZCControlFlags(const char* adapterName, uint32_t* flags) {
    if (adapterName == nullptr || flags == nullptr) {
        return 0;
    }
    std::u16string path = kInterfacesKey + FromAnsi(adapterName);
    platform::RegistryKey opened = nullptr;
    if (platform::RegCreateKeyExW(platform::LocalMachine(), path.c_str(), platform::kKeyRead,
                                  &opened) != platform::kErrorSuccess) {
        return 0;
    }
    UniqueRegistryKey key(opened);
    uint32_t type = 0;
    uint32_t value = 0;
    uint32_t size = sizeof value;
    // Only a DWORD is the flags: a value of another type or length is not read as one.
    bool read = platform::RegQueryValueExW(key.Get(), u"ControlFlags", &type, &value, &size) ==
                    platform::kErrorSuccess &&
                type == platform::kRegDword && size == sizeof value;
    bool closed = platform::RegCloseKey(key.Release()) == platform::kErrorSuccess;
    if (!read || !closed) {
        return 0;
    }
    *flags = value;
    return 1;
}

}  // namespace corvane
