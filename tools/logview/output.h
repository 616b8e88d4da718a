#pragma once
// How ring lines appear on the viewer's output.

#include <string>
#include <vector>

namespace corvane::logview {

// The lines' bytes as stored; a line that does not already end in a line feed gets one.
std::string OutputText(const std::vector<std::string>& lines);

}  // namespace corvane::logview
