#pragma once
// The simulator's version block: what GetFileVersionInfoW fills and VerQueryValueW reads.

#include <string>

#include "platform/sim/scenario.h"

namespace sim {

std::string BuildVersionBlock(const FileVersion& version);
bool QueryVersionBlock(const void* block, const std::u16string& subBlock, void** value,
                       uint32_t* length);

}  // namespace sim
