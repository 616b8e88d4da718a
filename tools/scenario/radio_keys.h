#pragma once
// The "radio" key of a scenario file's adapter.

#include <nlohmann/json.hpp>

#include "platform/sim/radio_model.h"

namespace corvane::tools {

// Throws std::runtime_error for a value it cannot use.
sim::RadioConfig RadioOf(const nlohmann::json& radio);

}  // namespace corvane::tools
