#pragma once
// The keys of a scenario file's "expect" that speak of the simulated PC after the run.

#include <nlohmann/json.hpp>

#include "tools/scenario/final_state_expectation.h"

namespace corvane::tools {

// Throws std::runtime_error for a value it cannot use.
FinalStateExpectation ParseFinalState(const nlohmann::json& expect);

}  // namespace corvane::tools
