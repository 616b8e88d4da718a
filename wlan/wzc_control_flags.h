#pragma once
// What Wireless Zero Configuration keeps of one interface: its "ControlFlags".

#include <cstdint>

namespace corvane {

// Reads the flags of the interface named `adapterName` (its GUID in braces, ANSI); the key is
// created when missing. 1 when a 4-byte DWORD was read; else 0 with `flags` untouched.
int GetWZCControlFlags(const char* adapterName, uint32_t* flags);

}  // namespace corvane
