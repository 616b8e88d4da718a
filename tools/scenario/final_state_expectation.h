#pragma once
// What a scenario file expects of the simulated PC after the run; every part is optional.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/network_model.h"

namespace corvane::tools {

struct FinalState;

struct FinalStateExpectation {
    // By service name: its state, or none for a service the manager does not know.
    std::map<std::string, std::optional<uint32_t>> services;
    // By path, which may hold one * in its last part: whether a file or folder matches.
    std::map<std::u16string, bool> files;
    std::optional<std::vector<std::u16string>> components;  // case and order do not matter
    // By key path and value name: the value, or none for a value that must not exist.
    std::map<std::u16string, std::map<std::u16string, std::optional<sim::RegistryValue>>> registry;
    std::optional<std::vector<sim::NetDeviceConfig>> netDevices;
    std::optional<std::vector<sim::BindingPathConfig>> bindingPaths;
    std::optional<int> applies;
    std::optional<std::vector<std::string>> deviceChanges;  // in order
    // By adapter name: what its radio is set to and reports, or none for "as at the start".
    std::map<std::string, std::optional<sim::RadioSettings>> radios;
    // By adapter name: the names of its WLAN profiles, in order; an adapter not named here
    // keeps the profiles it had.
    std::map<std::string, std::vector<std::string>> wlanProfiles;
};

// A service's state as a scenario file writes it: "absent", "stopped", "running".
std::string DescribeServiceState(std::optional<uint32_t> state);

// A registry value as a scenario file writes it ("dword 1", "sz \"x\""), its type and bytes
// when it has no such form, or "absent".
std::string DescribeRegistryValue(const std::optional<sim::RegistryValue>& value);

// Adds a line for each part of `expect` that `state` does not show.
void AddUnmetFinalState(const FinalState& state, const FinalStateExpectation& expect,
                        std::vector<std::string>& problems);

}  // namespace corvane::tools
