#pragma once
// VERSION: version resources of files.

#include <cstdint>

namespace platform {

uint32_t GetFileVersionInfoSizeW(const char16_t* fileName);
bool GetFileVersionInfoW(const char16_t* fileName, uint32_t size, void* block);
// `value` points into `block`; `length` is in characters for strings, bytes otherwise.
bool VerQueryValueW(const void* block, const char16_t* subBlock, void** value, uint32_t* length);

}  // namespace platform
