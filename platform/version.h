#pragma once
// VERSION: version resources of files.

#include <cstdint>

#include "platform/types.h"

namespace platform {

uint32_t GetFileVersionInfoSizeW(const char16_t* fileName);
bool GetFileVersionInfoW(const char16_t* fileName, uint32_t size, void* block);
// `value` points into `block`; `length` is in characters for strings, bytes otherwise.
bool VerQueryValueW(const void* block, const char16_t* subBlock, void** value, uint32_t* length);

// The same three as found at run time in VERSION.dll, for a program that must not import it.
using GetFileVersionInfoSizeWFn = uint32_t(PLATFORM_API*)(const char16_t* fileName,
                                                          uint32_t* handle);
using GetFileVersionInfoWFn = int(PLATFORM_API*)(const char16_t* fileName, uint32_t handle,
                                                 uint32_t size, void* block);
using VerQueryValueWFn = int(PLATFORM_API*)(const void* block, const char16_t* subBlock,
                                            void** value, uint32_t* length);

}  // namespace platform
