#include "tools/logview/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane::logview {
namespace {

ParseResult Parse(std::vector<const char*> args) {
    return ParseOptions(static_cast<int>(args.size()), args.data());
}

TEST(ParseOptions, AcceptedCommandLines) {
    struct Case {
        std::vector<const char*> args;
        bool dump, date, time;
        std::optional<uint32_t> exitAfterMs;
    };
    const Case cases[] = {
        {{}, false, true, true, std::nullopt},
        {{"--dump"}, true, true, true, std::nullopt},
        {{"--no-date", "--no-time"}, false, false, false, std::nullopt},
        {{"--dump", "--no-time"}, true, true, false, std::nullopt},
        {{"--exit-after-ms", "0"}, false, true, true, 0u},
        {{"--no-date", "--exit-after-ms", "4294967295"}, false, false, true, 4294967295u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        ParseResult result = Parse(c.args);
        ASSERT_EQ(result.error, "");
        EXPECT_FALSE(result.options.help);
        EXPECT_EQ(result.options.dump, c.dump);
        EXPECT_EQ(result.options.datePrefix, c.date);
        EXPECT_EQ(result.options.timePrefix, c.time);
        EXPECT_EQ(result.options.exitAfterMs, c.exitAfterMs);
    }
}

TEST(ParseOptions, HelpIsRecognisedInEachSpelling) {
    for (const char* spelling : {"--help", "-h", "/?"}) {
        EXPECT_TRUE(Parse({"--no-date", spelling}).options.help) << spelling;
    }
}

TEST(ParseOptions, RejectedCommandLinesSayWhy) {
    struct Case {
        std::vector<const char*> args;
        const char* errorPart;
    };
    const Case cases[] = {
        {{"--follow"}, "unknown option: --follow"},
        {{"dump"}, "unknown option: dump"},
        {{"--exit-after-ms"}, "needs a number"},
        {{"--exit-after-ms", ""}, "not a number"},
        {{"--exit-after-ms", "-1"}, "not a number"},
        {{"--exit-after-ms", "12ms"}, "not a number"},
        {{"--exit-after-ms", "4294967296"}, "not a number"},
        {{"--dump", "--exit-after-ms", "10"}, "not to --dump"},
    };
    for (const Case& c : cases) {
        ParseResult result = Parse(c.args);
        EXPECT_NE(result.error.find(c.errorPart), std::string::npos)
            << testing::PrintToString(c.args) << " gave \"" << result.error << "\"";
    }
}

}  // namespace
}  // namespace corvane::logview
