#pragma once
// KERNEL32: threads.

#include <cstdint>

#include "platform/types.h"

namespace platform {

using ThreadStart = uint32_t(PLATFORM_API*)(void* parameter);

// A thread with the default stack that starts at once; the handle, or nullptr.
Handle CreateThread(ThreadStart start, void* parameter);

}  // namespace platform
