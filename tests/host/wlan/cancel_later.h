#pragma once
// A cancel pressed on another thread after a while of virtual time, as the inspection dialog's
// thread does it.

#include <cstdint>

#include "platform/kernel.h"
#include "wlan/projector_manager.h"

namespace corvane::testing {

struct CancelAt {
    CProjectorManager* manager;
    uint32_t ms;
};

// A thread start: sleeps `ms`, then sets the manager's cancel flag.
inline uint32_t PLATFORM_API CancelLater(void* parameter) {
    auto* cancel = static_cast<CancelAt*>(parameter);
    platform::Sleep(cancel->ms);
    cancel->manager->m_bCancel = true;
    return 0;
}

}  // namespace corvane::testing
