#pragma once
// The "driverSetup" key of a scenario file.

#include <nlohmann/json.hpp>

#include "platform/sim/scenario.h"

namespace corvane::tools {

// Throws std::runtime_error for a value it cannot use.
void ApplyDriverSetup(const nlohmann::json& setup, sim::Scenario& s);

}  // namespace corvane::tools
