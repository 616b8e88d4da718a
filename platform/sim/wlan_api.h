#pragma once
// Wlanapi.dll of the simulated PC: its module handle and its entry points by name.

#include <string>

namespace sim {

// The handle LoadLibraryW gives for the system's Wlanapi.dll.
void* WlanApiModule();
// The entry point of that name, or nullptr when the scenario's library lacks it.
void* WlanEntryPoint(const std::string& name);

}  // namespace sim
