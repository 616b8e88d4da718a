// Wall time of a whole VORTAU run on the main job's PC, where all four checks pass: about 44 s
// of virtual time, the 40-second watch among them.

#include <benchmark/benchmark.h>

#include "tools/scenario/scenario_file.h"
#include "tools/scenario/vortau_run.h"

namespace {

void DefaultPcWholeRun(benchmark::State& state) {
    const sim::Scenario pc = corvane::tools::DefaultScenario().scenario;
    for (auto _ : state) {
        corvane::tools::RunOutcome outcome = corvane::tools::RunVortau(pc);
        state.PauseTiming();
        state.counters["virtual_ms"] = static_cast<double>(outcome.virtualMs);
        state.counters["wlan_status"] = outcome.wlanStatus;
        state.ResumeTiming();
    }
}
BENCHMARK(DefaultPcWholeRun)->Unit(benchmark::kMillisecond);

}  // namespace
