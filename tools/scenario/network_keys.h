#pragma once
// The "network" key of a scenario file.

#include <nlohmann/json.hpp>

#include "platform/sim/scenario.h"

namespace corvane::tools {

// Throws std::runtime_error for a value it cannot use.
void ApplyNetwork(const nlohmann::json& network, sim::Scenario& s);

// {"dword": 1}, {"sz": "text"} or {"multiSz": ["a", "b"]}, each with its terminators.
sim::RegistryValue RegistryValueOf(const nlohmann::json& value);

}  // namespace corvane::tools
