#pragma once
// The "processes" key of a scenario file, and the shortcut of a "files" entry.

#include <nlohmann/json.hpp>

#include "platform/sim/scenario.h"

namespace corvane::tools {

// Throws std::runtime_error for a value it cannot use.
void ApplyProcesses(const nlohmann::json& processes, sim::Scenario& s);
// {"target": path, "arguments": text}, or null for a .lnk file the shell cannot resolve.
std::optional<sim::Shortcut> ParseShortcut(const nlohmann::json& shortcut);

}  // namespace corvane::tools
