#pragma once

#include <string>
#include <vector>

#include "tools/scenario/scenario_file.h"
#include "tools/scenario/vortau_run.h"

namespace corvane::tools {

// What the run did not show of what was expected; empty when all of it holds.
std::vector<std::string> UnmetExpectations(const RunOutcome& outcome, const Expectation& expect);

}  // namespace corvane::tools
