#include "platform/thread.h"

#include "platform/sim/pc.h"

namespace platform {

Handle CreateThread(ThreadStart start, void* parameter) {
    sim::Pc& pc = sim::CurrentPc();
    pc.scheduler().Spawn([start, parameter] { start(parameter); });
    return pc.AddObject(sim::SimThread{});
}

}  // namespace platform
