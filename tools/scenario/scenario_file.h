#pragma once
// Scenario files: a simulated PC and what a run on it should show, as JSON.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/scenario.h"
#include "tools/scenario/final_state_expectation.h"

namespace corvane::tools {

// What a run must show; every part is optional.
struct Expectation {
    std::optional<int> osStatus;
    std::optional<int> adminStatus;
    std::optional<int> adapterStatus;
    std::optional<int> wlanStatus;
    std::optional<bool> precheckFailed;
    std::optional<bool> needElevation;
    std::optional<std::vector<int>> dialogs;
    // Lines that must appear in the trace in this order (others may stand between them).
    std::vector<std::string> trace;
    std::vector<std::string> absentTrace;
    // The result file: its path (case does not matter) and its text after the byte-order
    // mark; or that no result file was written.
    std::optional<std::pair<std::u16string, std::u16string>> resultFile;
    bool noResultFile = false;
    // Launcher runs: the texts of the message boxes shown, in order; whether VORTAU started.
    std::optional<std::vector<std::u16string>> messageBoxes;
    std::optional<bool> vortauStarted;
    FinalStateExpectation finalState;
    // The fields of the PC the run may leave changed (patterns with *); every other field
    // must be after the run what it was before it.
    std::vector<std::string> changes;
};

struct ScenarioFile {
    sim::Scenario scenario;
    // The run starts at the launcher VORTA, which unpacks and starts VORTAU; else at VORTAU.
    bool startsAtLauncher = false;
    std::string description;
    Expectation expect;
};

// Throws std::runtime_error with the reason when the file cannot be used.
ScenarioFile LoadScenarioFile(const std::filesystem::path& path);
ScenarioFile ParseScenario(const std::string& json);
// The built-in default: a 32-bit Windows XP SP3 PC, an administrator, English.
ScenarioFile DefaultScenario();
// The same PC as a user meets it: the run starts at the launcher in C:\Downloads.
ScenarioFile DefaultLauncherScenario();

}  // namespace corvane::tools
