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

// The texts of the program's own "VORTA..." trace lines, without the date and time prefixes.
// The switching manager, which the application object makes, writes its lines without that
// name; its own tests read them.
inline std::vector<std::string> TraceTexts(const tools::SimSession& session) {
    std::vector<std::string> texts;
    for (const std::string& line : session.Trace()) {
        size_t at = line.find("VORTA");
        if (at != std::string::npos) {
            texts.push_back(line.substr(at));
        }
    }
    return texts;
}

inline std::u16string U(const std::string& utf8) {
    return sim::FromUtf8(utf8);
}

}  // namespace corvane::testing
