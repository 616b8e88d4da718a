// Wall time of the switching manager's long operations on the simulated PC, whose waits cost
// no real time: a switch the adapter never makes (3 attempts of 14 polls), a scan of 200
// networks (from Vista on: before, a BSSID list of 200 does not fit the driver's buffer) and a
// passing switching test.

#include <benchmark/benchmark.h>

#include <string>

#include "platform/sim/pc.h"
#include "tools/scenario/vortau_run.h"
#include "wlan/projector_manager.h"

namespace {

sim::Scenario XpPc(sim::RadioConfig radio) {
    sim::Scenario pc;
    sim::AdapterConfig adapter;
    adapter.name = "{ABCDEF01-2345-6789-ABCD-EF0123456789}";
    adapter.description = "Wireless LAN";
    adapter.hardwareAddress = {0x00, 0x0C, 0x29, 0xAA, 0xBB, 0xCC};
    auto dword = [](uint32_t value) { return std::string(reinterpret_cast<char*>(&value), 4); };
    adapter.oids = {{0x00010104, {dword(0)}}, {0x00010202, {dword(9)}}};
    adapter.radio = std::move(radio);
    pc.network.adapters.push_back(std::move(adapter));
    pc.services.push_back({.name = "CorvaneNdisprot", .type = 1, .running = true});
    return pc;
}

// Times `operation` on a fresh XP PC with `radio`, its adapter selected (setup not timed), and
// reports the virtual time the PC used.
template <typename Operation>
void OnSelectedAdapter(benchmark::State& state, const sim::RadioConfig& radio,
                       Operation operation) {
    for (auto _ : state) {
        state.PauseTiming();
        corvane::tools::SimSession session(XpPc(radio));
        corvane::CProjectorManager manager;
        manager.EnumerateAdapters();
        manager.SelectAdapter(0);
        state.ResumeTiming();
        benchmark::DoNotOptimize(operation(manager));
        state.PauseTiming();
        state.counters["virtual_ms"] = static_cast<double>(session.pc().now());
        state.ResumeTiming();
    }
}

void SetESSIDNeverSeen(benchmark::State& state) {
    sim::RadioConfig radio{.ssid = "HomeAP", .answer = {sim::SsidAnswer::Kind::Never}};
    radio.networks.push_back({"HomeAP", {0, 0x1A, 0x2B, 0x3C, 0x4D, 1}, -45});
    OnSelectedAdapter(state, radio, [](corvane::CProjectorManager& manager) {
        manager.SaveWlanSetting();
        return manager.SetESSID("TAVIRSSID_12345678");
    });
}
BENCHMARK(SetESSIDNeverSeen)->Unit(benchmark::kMillisecond);

void EnumESSIDOf200Networks(benchmark::State& state) {
    sim::RadioConfig radio;
    for (int i = 0; i < 200; ++i) {
        radio.networks.push_back(
            {"Network " + std::to_string(i),
             {0, 0x1A, 0x2B, 0x3C, static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)},
             -30 - i % 60});
    }
    sim::Scenario vista = XpPc(radio);
    vista.majorVersion = 6;
    vista.minorVersion = 0;
    vista.services.push_back({.name = "wlansvc", .running = true});
    corvane::tools::SimSession session(vista);
    corvane::CProjectorManager manager;
    manager.EnumerateAdapters();
    manager.SelectAdapter(0);
    manager.SetServerIP(manager.m_adapterList[0]->macAddress);
    for (auto _ : state) {
        benchmark::DoNotOptimize(manager.EnumESSID());
    }
    state.counters["networks"] = static_cast<double>(manager.m_essidList.size());
}
BENCHMARK(EnumESSIDOf200Networks)->Unit(benchmark::kMillisecond);

// The whole switching test on a made-up network the adapter holds: scans, the switch, the
// 40-second watch and the restore.
void CheckSetESSIDPassing(benchmark::State& state) {
    sim::RadioConfig radio{.ssid = "HomeAP"};
    radio.networks.push_back({"HomeAP", {0, 0x1A, 0x2B, 0x3C, 0x4D, 1}, -45});
    OnSelectedAdapter(state, radio,
                      [](corvane::CProjectorManager& manager) { return manager.CheckSetESSID(); });
}
BENCHMARK(CheckSetESSIDPassing)->Unit(benchmark::kMillisecond);

}  // namespace
