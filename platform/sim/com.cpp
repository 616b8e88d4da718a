#include "platform/com.h"

#include <cstdint>

#include "platform/sim/pc.h"

namespace platform {

void ReleaseInterface(void* object) {
    sim::Pc& pc = sim::CurrentPc();
    uintptr_t id = reinterpret_cast<uintptr_t>(object);
    pc.network().comObjects().erase(id);
    pc.driverSetup().componentObjects().erase(id);
    pc.driverSetup().classSetups().erase(id);
    pc.shellLinks().erase(id);
}

HResult CoInitialize() {
    return ++sim::CurrentPc().network().comInitialized() == 1 ? kSOk : kSFalse;
}

void CoUninitialize() {
    --sim::CurrentPc().network().comInitialized();
}

}  // namespace platform
