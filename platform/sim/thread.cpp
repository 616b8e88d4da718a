#include "platform/thread.h"

#include <optional>
#include <variant>

#include "platform/kernel.h"
#include "platform/sim/pc.h"

namespace platform {

Handle CreateThread(ThreadStart start, void* parameter) {
    sim::Pc& pc = sim::CurrentPc();
    if (pc.scenario().threadCreationFails) {
        SetLastError(8);  // ERROR_NOT_ENOUGH_MEMORY
        return nullptr;
    }
    int id = pc.scheduler().Spawn([start, parameter] { start(parameter); });
    return pc.AddObject(sim::SimThread{id});
}

uint32_t WaitForSingleObject(Handle handle, uint32_t timeoutMs) {
    sim::Pc& pc = sim::CurrentPc();
    sim::KernelObject* object = pc.FindObject(handle);
    const auto* thread = object == nullptr ? nullptr : std::get_if<sim::SimThread>(object);
    if (thread == nullptr) {
        SetLastError(6);  // ERROR_INVALID_HANDLE
        return kWaitFailed;
    }
    int id = thread->schedulerId;
    sim::Scheduler& scheduler = pc.scheduler();
    std::optional<uint64_t> wakeAt;
    if (timeoutMs != kInfinite) {
        wakeAt = scheduler.now() + timeoutMs;
    }
    bool ended = false;
    scheduler.Wait([&] { return ended = scheduler.HasEnded(id); }, wakeAt);
    return ended ? kWaitObject0 : kWaitTimeout;
}

}  // namespace platform
