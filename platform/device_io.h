#pragma once
// Device objects opened by name and sent control codes (adapters' NDIS devices).

#include <cstdint>

#include "platform/types.h"

namespace platform {

constexpr uint32_t kGenericRead = 0x80000000u;
constexpr uint32_t kGenericWrite = 0x40000000u;
constexpr uint32_t kFileShareRead = 0x1;
constexpr uint32_t kFileShareWrite = 0x2;
constexpr uint32_t kFileShareDelete = 0x4;
constexpr uint32_t kOpenExisting = 3;
constexpr uint32_t kFileAttributeNormal = 0x80;
constexpr uint32_t kErrorGenFailure = 31;

// CreateFileA without security attributes or template; nullptr on failure, with the last
// error.
Handle CreateFileA(const char* path, uint32_t access, uint32_t share, uint32_t disposition,
                   uint32_t attributes);
// Synchronous DeviceIoControl; `returned` receives the bytes written to `out`.
bool DeviceIoControl(Handle device, uint32_t code, const void* in, uint32_t inSize, void* out,
                     uint32_t outSize, uint32_t* returned);

}  // namespace platform
