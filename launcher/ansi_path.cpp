#include "launcher/ansi_path.h"

#include "platform/kernel.h"

namespace corvane {

namespace {

// Where the character after the one at `at` starts.
size_t NextCharacter(const std::string& text, size_t at) {
    bool pair = platform::IsDBCSLeadByte(static_cast<uint8_t>(text[at])) && at + 1 < text.size();
    return at + (pair ? 2 : 1);
}

// Where the last character starts; npos for an empty text.
size_t LastCharacter(const std::string& text) {
    size_t last = std::string::npos;
    for (size_t at = 0; at < text.size(); at = NextCharacter(text, at)) {
        last = at;
    }
    return last;
}

}  // namespace

std::string DriveAndDirectory(const std::string& path) {
    size_t end = path.size() >= 2 && path[1] == ':' ? 2 : 0;
    for (size_t at = 0; at < path.size(); at = NextCharacter(path, at)) {
        if (path[at] == '\\' || path[at] == '/') {
            end = at + 1;
        }
    }
    return path.substr(0, end);
}

bool EndsWithBackslash(const std::string& path) {
    size_t last = LastCharacter(path);
    return last != std::string::npos && path[last] == '\\';
}

void RemoveTrailingBackslashes(std::string& path) {
    while (EndsWithBackslash(path)) {
        path.pop_back();
    }
}

}  // namespace corvane
