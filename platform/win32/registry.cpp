#include "platform/registry.h"

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

static HKEY H(RegistryKey key) {
    return static_cast<HKEY>(key);
}

uint32_t RegOpenKeyExW(RegistryKey parent, const char16_t* subKey, uint32_t access,
                       RegistryKey* result) {
    HKEY key = nullptr;
    LONG error = ::RegOpenKeyExW(H(parent), W(subKey), 0, access, &key);
    *result = key;
    return static_cast<uint32_t>(error);
}

uint32_t RegCreateKeyExW(RegistryKey parent, const char16_t* subKey, uint32_t access,
                         RegistryKey* result) {
    HKEY key = nullptr;
    LONG error = ::RegCreateKeyExW(H(parent), W(subKey), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   access, nullptr, &key, nullptr);
    *result = key;
    return static_cast<uint32_t>(error);
}

uint32_t RegOpenKeyExA(RegistryKey parent, const char* subKey, uint32_t access,
                       RegistryKey* result) {
    HKEY key = nullptr;
    LONG error = ::RegOpenKeyExA(H(parent), subKey, 0, access, &key);
    *result = key;
    return static_cast<uint32_t>(error);
}

uint32_t RegCreateKeyExA(RegistryKey parent, const char* subKey, uint32_t access,
                         RegistryKey* result) {
    HKEY key = nullptr;
    LONG error = ::RegCreateKeyExA(H(parent), subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                   nullptr, &key, nullptr);
    *result = key;
    return static_cast<uint32_t>(error);
}

uint32_t RegSetValueExA(RegistryKey key, const char* name, uint32_t type, const void* data,
                        uint32_t size) {
    return static_cast<uint32_t>(
        ::RegSetValueExA(H(key), name, 0, type, static_cast<const BYTE*>(data), size));
}

uint32_t RegQueryValueExW(RegistryKey key, const char16_t* name, uint32_t* type, void* data,
                          uint32_t* size) {
    DWORD valueType = 0;
    DWORD length = *size;
    LONG error =
        ::RegQueryValueExW(H(key), W(name), nullptr, &valueType, static_cast<BYTE*>(data), &length);
    if (type != nullptr) {
        *type = valueType;
    }
    *size = length;
    return static_cast<uint32_t>(error);
}

uint32_t RegEnumValueW(RegistryKey key, uint32_t index, char16_t* name, uint32_t* nameSize,
                       uint32_t* type, void* data, uint32_t* dataSize) {
    DWORD valueType = 0;
    DWORD nameLength = *nameSize;
    DWORD dataLength = *dataSize;
    LONG error = ::RegEnumValueW(H(key), index, W(name), &nameLength, nullptr, &valueType,
                                 static_cast<BYTE*>(data), &dataLength);
    if (type != nullptr) {
        *type = valueType;
    }
    *nameSize = nameLength;
    *dataSize = dataLength;
    return static_cast<uint32_t>(error);
}

uint32_t RegSetValueExW(RegistryKey key, const char16_t* name, uint32_t type, const void* data,
                        uint32_t size) {
    return static_cast<uint32_t>(
        ::RegSetValueExW(H(key), W(name), 0, type, static_cast<const BYTE*>(data), size));
}

uint32_t RegDeleteKeyW(RegistryKey parent, const char16_t* subKey) {
    return static_cast<uint32_t>(::RegDeleteKeyW(H(parent), W(subKey)));
}

uint32_t RegFlushKey(RegistryKey key) {
    return static_cast<uint32_t>(::RegFlushKey(H(key)));
}

uint32_t RegCloseKey(RegistryKey key) {
    return static_cast<uint32_t>(::RegCloseKey(H(key)));
}

}  // namespace platform
