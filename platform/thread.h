#pragma once
// KERNEL32: threads, and waiting for one to end.

#include <cstdint>

#include "platform/types.h"

namespace platform {

using ThreadStart = uint32_t(PLATFORM_API*)(void* parameter);

// A thread with the default stack that starts at once; the handle, or nullptr.
Handle CreateThread(ThreadStart start, void* parameter);

constexpr uint32_t kInfinite = 0xFFFFFFFFu;
constexpr uint32_t kWaitObject0 = 0;
constexpr uint32_t kWaitTimeout = 258;
constexpr uint32_t kWaitFailed = 0xFFFFFFFFu;
// Here for thread handles: whether the thread ended within the time.
uint32_t WaitForSingleObject(Handle handle, uint32_t timeoutMs);

}  // namespace platform
