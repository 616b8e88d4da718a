#pragma once
// Waiting for another process to get somewhere: the condition is asked again every few
// milliseconds until it holds or the time is up, which is only a net against hangs.

#include <windows.h>

namespace utilities {

constexpr DWORD kPatienceMs = 15000;

template <class Condition>
bool PollUntil(Condition condition, DWORD timeoutMs = kPatienceMs) {
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > timeoutMs) {
            return false;
        }
        ::Sleep(20);
    }
    return true;
}

}  // namespace utilities
