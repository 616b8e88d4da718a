#pragma once
// Small helpers for tests on the simulated PC.

#include <string>
#include <vector>

#include "platform/sim/code_page.h"
#include "tools/scenario/scenario_file.h"
#include "tools/scenario/vortau_run.h"

namespace corvane::testing {

// The default PC (Windows XP SP3, administrator, English language file).
inline sim::Scenario DefaultPc() {
    return tools::DefaultScenario().scenario;
}

// The trace's texts without the date and time prefixes.
inline std::vector<std::string> TraceTexts(const tools::SimSession& session) {
    std::vector<std::string> texts;
    for (const std::string& line : session.Trace()) {
        size_t at = line.find("VORTA");
        texts.push_back(at == std::string::npos ? line : line.substr(at));
    }
    return texts;
}

inline std::u16string U(const std::string& utf8) {
    return sim::FromUtf8(utf8);
}

}  // namespace corvane::testing
