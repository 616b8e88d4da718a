#pragma once
// Holds a critical section for the life of a scope.

#include "platform/kernel.h"

namespace corvane {

class ScopedLock {
  public:
    explicit ScopedLock(platform::CriticalSection& section) : section_(section) {
        platform::EnterCriticalSection(&section_);
    }
    ~ScopedLock() { platform::LeaveCriticalSection(&section_); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

  private:
    platform::CriticalSection& section_;
};

}  // namespace corvane
