#pragma once
// The viewer's command line.

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::logview {

struct Options {
    bool help = false;
    bool dump = false;                    // print the ring once instead of following it
    bool datePrefix = true;               // writers put the local date before each line
    bool timePrefix = true;               // writers put the local time before each line
    std::optional<uint32_t> exitAfterMs;  // follow mode: end after this long without a new line
};

struct ParseResult {
    Options options;
    std::string error;  // empty when the command line was understood
};

// `args` excludes the program name.
ParseResult ParseOptions(int count, const char* const* args);

extern const char* const kUsage;

}  // namespace corvane::logview
