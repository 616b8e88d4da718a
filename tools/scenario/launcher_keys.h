#pragma once
// Scenario keys of a run that starts at the launcher, as a user starts it: where VORTA lies,
// what it carries, the temporary folder and the RunOnce key.

#include <nlohmann/json_fwd.hpp>

#include "platform/sim/scenario.h"

namespace corvane::tools {

// The launcher's path, command line and resources take the place of VORTAU's, which VORTAU
// gets back once VORTA has unpacked and started it.
void ApplyLauncher(const nlohmann::json& root, sim::Scenario& s);

}  // namespace corvane::tools
