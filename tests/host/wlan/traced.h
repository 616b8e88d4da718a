#pragma once
// Whether the diagnostic trace of a simulated run holds a text.

#include <string>

#include "tools/scenario/vortau_run.h"

namespace corvane::testing {

// Whether a trace line holds `text` (its line break aside).
inline bool Traced(const tools::SimSession& session, std::string text) {
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2);
    }
    for (const std::string& line : session.Trace()) {
        if (line.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace corvane::testing
