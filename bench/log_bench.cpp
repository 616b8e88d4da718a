// The cost of a log call: with logging off it must stay close to an empty call, and with a
// viewer switched on it is one formatted, prefixed line in the ring.

#include <benchmark/benchmark.h>

#include "common/debug_log.h"
#include "common/log_channel.h"
#include "platform/sim/scenario.h"
#include "tools/scenario/vortau_run.h"

namespace corvane {
namespace {

// The floor to compare against: a call of the same shape that does nothing.
__attribute__((noinline, format(printf, 1, 2))) void EmptyCall(const char* format, ...) {
    benchmark::DoNotOptimize(format);
    benchmark::ClobberMemory();
}

void BM_EmptyCall(benchmark::State& state) {
    for (auto _ : state) {
        EmptyCall("VORTAU CheckThreadProc Start\r\n");
    }
}
BENCHMARK(BM_EmptyCall);

void BM_DebugLogOff(benchmark::State& state) {
    tools::SimSession session(sim::Scenario{}, /*withViewer=*/false);
    for (auto _ : state) {
        DebugLog("VORTAU CheckThreadProc Start\r\n");
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DebugLogOff);

void BM_PrintfOff(benchmark::State& state) {
    tools::SimSession session(sim::Scenario{}, /*withViewer=*/false);
    int error = 5;
    for (auto _ : state) {
        g_logChannel.Printf("VORTA Error CreateDirectory() [%d]", error);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PrintfOff);

void BM_DebugLogStoredWithPrefixes(benchmark::State& state) {
    tools::SimSession session(sim::Scenario{});
    int error = 5;
    for (auto _ : state) {
        DebugLog("VORTAU Error:%d (0x%x)\r\n", error, error);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DebugLogStoredWithPrefixes);

}  // namespace
}  // namespace corvane

BENCHMARK_MAIN();
