#include "common/debug_log.h"

#include <gtest/gtest.h>

#include <string>

#include "common/log_channel.h"
#include "tests/host/common/ring.h"
#include "tools/scenario/vortau_run.h"

namespace corvane {
namespace {

using test::June3rd;
using test::Line;
using test::SetPrefixes;

TEST(DebugLog, StoresTheLineWithBothPrefixesAndALineFeed) {
    tools::SimSession session(June3rd());
    DebugLog("VORTAU CheckThreadProc Start\r\n");
    EXPECT_EQ(Line(0), std::string(test::kBothPrefixes) + "VORTAU CheckThreadProc Start\n");
}

TEST(DebugLog, OnlyAFinalCarriageReturnAndLineFeedBecomeALineFeed) {
    struct Case {
        const char* text;
        const char* stored;
    };
    const Case cases[] = {
        {"VORTAU a\r\n", "VORTAU a\n"},
        {"VORTAU a\n", "VORTAU a\n"},
        {"VORTAU a\r", "VORTAU a\r"},
        {"\r\n", "\n"},
        {"\n", "\n"},
        {"VORTAU a\r\n\r\n", "VORTAU a\r\n\n"},
        {"VORTAU a\n\r", "VORTAU a\n\r"},
        {"VORTAU a\r\nb", "VORTAU a\r\nb"},
    };
    tools::SimSession session(June3rd());
    SetPrefixes(false, false);
    for (uint32_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        DebugLog("%s", cases[i].text);
        EXPECT_EQ(Line(i), cases[i].stored);
    }
}

TEST(DebugLog, ShiftJisTextIsStoredByteForByte) {
    // "表示 ソフト": both words carry 0x5C, a backslash in ASCII, as a trail byte.
    const std::string text = "VORTAU \x95\x5C\x8E\xA6 \x83\x5C\x83\x74\x83\x67";
    tools::SimSession session(June3rd(932));
    SetPrefixes(false, false);
    DebugLog("%s\r\n", text.c_str());
    DebugLog("VORTAU \x95\x5C\x8E\xA6 \x83\x5C\x83\x74\x83\x67\r\n");
    EXPECT_EQ(Line(0), text + "\n");
    EXPECT_EQ(Line(1), text + "\n");
}

}  // namespace
}  // namespace corvane
