#include "platform/thread.h"

#include <windows.h>

namespace platform {

Handle CreateThread(ThreadStart start, void* parameter) {
    DWORD id = 0;
    return ::CreateThread(nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start), parameter, 0,
                          &id);
}

uint32_t WaitForSingleObject(Handle handle, uint32_t timeoutMs) {
    return ::WaitForSingleObject(handle, timeoutMs);
}

}  // namespace platform
