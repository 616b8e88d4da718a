#pragma once
// Values in Wine's registry under HKEY_LOCAL_MACHINE, made and read back byte for byte.

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "netconfig/unique_keys.h"
#include "platform/registry.h"

namespace corvane {

struct RegistryValue {
    uint32_t type;
    std::vector<uint8_t> bytes;
    bool operator==(const RegistryValue&) const = default;
};

inline std::vector<uint8_t> Utf16Bytes(const std::u16string& text) {
    std::vector<uint8_t> bytes(text.size() * sizeof(char16_t));
    std::memcpy(bytes.data(), text.data(), bytes.size());
    return bytes;
}

inline RegistryValue Text(const std::u16string& text) {
    return {platform::kRegSz, Utf16Bytes(text + u'\0')};
}

// A one-entry multi-string: the text, its terminator and the list's.
inline RegistryValue MultiString(const std::u16string& text) {
    return {platform::kRegMultiSz, Utf16Bytes(text + u'\0' + u'\0')};
}

inline RegistryValue Dword(uint32_t number) {
    std::vector<uint8_t> bytes(sizeof number);
    std::memcpy(bytes.data(), &number, sizeof number);
    return {platform::kRegDword, bytes};
}

// Creates the key and the keys above it as needed.
inline void WriteValue(const char16_t* path, const char16_t* name, const RegistryValue& value) {
    platform::RegistryKey created = nullptr;
    ASSERT_EQ(platform::RegCreateKeyExW(platform::LocalMachine(), path, platform::kKeyAllAccess,
                                        &created),
              platform::kErrorSuccess);
    UniqueRegistryKey key(created);
    ASSERT_EQ(platform::RegSetValueExW(key.Get(), name, value.type, value.bytes.data(),
                                       static_cast<uint32_t>(value.bytes.size())),
              platform::kErrorSuccess);
}

inline bool KeyExists(const char16_t* path) {
    platform::RegistryKey opened = nullptr;
    if (platform::RegOpenKeyExW(platform::LocalMachine(), path, platform::kKeyRead, &opened) !=
        platform::kErrorSuccess) {
        return false;
    }
    platform::RegCloseKey(opened);
    return true;
}

inline std::optional<RegistryValue> ReadValue(const char16_t* path, const char16_t* name) {
    platform::RegistryKey opened = nullptr;
    if (platform::RegOpenKeyExW(platform::LocalMachine(), path, platform::kKeyRead, &opened) !=
        platform::kErrorSuccess) {
        return std::nullopt;
    }
    UniqueRegistryKey key(opened);
    RegistryValue value{0, std::vector<uint8_t>(4096)};
    uint32_t size = static_cast<uint32_t>(value.bytes.size());
    if (platform::RegQueryValueExW(key.Get(), name, &value.type, value.bytes.data(), &size) !=
        platform::kErrorSuccess) {
        return std::nullopt;
    }
    value.bytes.resize(size);
    return value;
}

// Deepest first: a key with subkeys is not deleted.
inline void DeleteKeys(std::initializer_list<const char16_t*> paths) {
    for (const char16_t* path : paths) {
        platform::RegDeleteKeyW(platform::LocalMachine(), path);
    }
}

}  // namespace corvane
