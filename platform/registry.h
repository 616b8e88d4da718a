#pragma once
// ADVAPI32's registry: keys opened, created, read, written and flushed. Results are Windows
// error codes (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ERROR_MORE_DATA, ...).

#include <cstdint>

#include "platform/types.h"

namespace platform {

using RegistryKey = void*;  // an HKEY

// HKEY_LOCAL_MACHINE, sign-extended as Windows defines it.
inline RegistryKey LocalMachine() {
    return reinterpret_cast<RegistryKey>(static_cast<intptr_t>(static_cast<int32_t>(0x80000002)));
}

inline RegistryKey CurrentUser() {
    return reinterpret_cast<RegistryKey>(static_cast<intptr_t>(static_cast<int32_t>(0x80000001)));
}

constexpr uint32_t kKeyRead = 0x20019;
constexpr uint32_t kKeyWrite = 0x20006;
constexpr uint32_t kKeyAllAccess = 0xF003F;
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegMultiSz = 7;

uint32_t RegOpenKeyExW(RegistryKey parent, const char16_t* subKey, uint32_t access,
                       RegistryKey* result);
// A non-volatile key with no class or security attributes.
uint32_t RegCreateKeyExW(RegistryKey parent, const char16_t* subKey, uint32_t access,
                         RegistryKey* result);
// `size` holds the buffer's size in bytes and receives the value's size.
uint32_t RegQueryValueExW(RegistryKey key, const char16_t* name, uint32_t* type, void* data,
                          uint32_t* size);
// The value at `index`: `nameSize` holds the name buffer's size in characters and receives
// the name's length without the terminator; `dataSize` as for RegQueryValueExW.
// ERROR_NO_MORE_ITEMS past the last value, ERROR_MORE_DATA when either does not fit.
uint32_t RegEnumValueW(RegistryKey key, uint32_t index, char16_t* name, uint32_t* nameSize,
                       uint32_t* type, void* data, uint32_t* dataSize);
uint32_t RegSetValueExW(RegistryKey key, const char16_t* name, uint32_t type, const void* data,
                        uint32_t size);
// The 8-bit forms; a REG_SZ value's text is stored as the system stores it from RegSetValueExW.
uint32_t RegOpenKeyExA(RegistryKey parent, const char* subKey, uint32_t access,
                       RegistryKey* result);
uint32_t RegCreateKeyExA(RegistryKey parent, const char* subKey, uint32_t access,
                         RegistryKey* result);
uint32_t RegSetValueExA(RegistryKey key, const char* name, uint32_t type, const void* data,
                        uint32_t size);
uint32_t RegDeleteKeyW(RegistryKey parent, const char16_t* subKey);
uint32_t RegFlushKey(RegistryKey key);
uint32_t RegCloseKey(RegistryKey key);

}  // namespace platform
