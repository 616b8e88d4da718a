#include "tools/logview/output.h"

namespace corvane::logview {

std::string OutputText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        if (line.empty() || line.back() != '\n') {
            text += '\n';
        }
    }
    return text;
}

}  // namespace corvane::logview
