#pragma once
// What a run left on the simulated PC: the parts a scenario file can check afterwards, kept
// apart from the PC so that the next run may replace it.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/sim/pc.h"

namespace corvane::tools {

constexpr uint32_t kServiceStopped = 1;
constexpr uint32_t kServiceRunning = 4;

struct FinalState {
    // The services the manager still finds, by name in upper case: their state.
    std::map<std::string, uint32_t> services;
    std::set<std::u16string> files;  // folded paths, folders among them
    std::set<std::u16string> folders;
    std::vector<std::u16string> components;
    sim::Registry registry{{}, {}};
    std::vector<sim::NetDeviceConfig> netDevices;
    std::vector<sim::BindingPathConfig> bindingPaths;
    int applies = 0;
    // Each device the installer switched off or on: "disable N", "enable global N", ...
    std::vector<std::string> deviceChanges;
    // By adapter name: what each radio is set to and reports, now and when the run began.
    std::map<std::string, sim::RadioSettings> radios;
    std::map<std::string, sim::RadioSettings> radiosAtStart;
    // By adapter name: the names of the WLAN profiles the native service keeps for it.
    std::map<std::string, std::vector<std::string>> wlanProfiles;
    std::map<std::string, std::vector<std::string>> wlanProfilesAtStart;
    // The other programs that run at the end, as image path and arguments, in start order.
    std::vector<std::pair<std::u16string, std::u16string>> processes;
};

std::string FoldServiceName(std::string name);
FinalState FinalStateOf(sim::Pc& pc);

}  // namespace corvane::tools
