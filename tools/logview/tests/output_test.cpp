#include "tools/logview/output.h"

#include <gtest/gtest.h>

namespace corvane::logview {
namespace {

TEST(OutputText, EndsEveryLineInExactlyOneAddedOrKeptLineFeed) {
    struct Case {
        std::vector<std::string> lines;
        std::string expected;
    };
    const Case cases[] = {
        {{"VORTA START"}, "VORTA START\n"},
        {{"VORTAU Start\n"}, "VORTAU Start\n"},
        {{"cut at \r"}, "cut at \r\n"},
        {{""}, "\n"},
        {{"\x82\xa0\x82\xa2"}, "\x82\xa0\x82\xa2\n"},  // Shift-JIS bytes pass untouched
        {{"a", "b\n", "c"}, "a\nb\nc\n"},
        {{}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OutputText(c.lines), c.expected) << testing::PrintToString(c.lines);
    }
}

}  // namespace
}  // namespace corvane::logview
