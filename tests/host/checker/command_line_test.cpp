#include "checker/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "checker/halvex_app.h"
#include "tests/host/checker/sim_pc.h"

namespace corvane {
namespace {

using testing::DefaultPc;
using testing::TraceTexts;
using testing::U;

struct SplitCase {
    const char* commandLine;
    std::vector<std::string> arguments;
};

class SplitArgumentsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitArgumentsTest, FollowsTheRuntimeRules) {
    std::vector<std::u16string> expected;
    for (const std::string& argument : GetParam().arguments) {
        expected.push_back(U(argument));
    }
    EXPECT_EQ(SplitArguments(U(GetParam().commandLine)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitArgumentsTest,
    ::testing::Values(SplitCase{R"("C:\Program Files\VORTAU.exe" "C:\My Folder" /ADMIN)",
                                {R"(C:\My Folder)", "/ADMIN"}},
                      SplitCase{"VORTAU.exe\ta  b", {"a", "b"}},
                      // A folder with a trailing backslash: the runtime reads \" as a quote.
                      SplitCase{R"(V.exe "C:\folder\")", {R"(C:\folder")"}},
                      SplitCase{R"(V.exe a\\"b c" d\\\"e)", {R"(a\b c)", R"(d\"e)"}},
                      SplitCase{R"(V.exe a\b\\c)", {R"(a\b\\c)"}},
                      // msvcrt.dll: "" inside quotes gives a quote and ends the quoted part.
                      SplitCase{R"(V.exe "a""b c)", {R"(a"b)", "c"}},
                      SplitCase{R"(V.exe "" x)", {"", "x"}},
                      SplitCase{R"(V.exe "unbalanced quote)", {"unbalanced quote"}},
                      SplitCase{R"("V.exe)", {}}, SplitCase{"", {}},
                      SplitCase{R"(V.exe trailing\)", {R"(trailing\)"}}));

TEST(CommandLineTailTest, IsWhatFollowsTheProgramName) {
    EXPECT_EQ(CommandLineTail(U(R"("C:\a b\VORTAU.exe"   "C:\f" /ADMIN)")), U(R"("C:\f" /ADMIN)"));
    EXPECT_EQ(CommandLineTail(U("VORTAU.exe")), U(""));
    EXPECT_EQ(CommandLineTail(U("VORTAU.exe x")), U("x"));
}

struct OptionCase {
    std::string name;
    std::string arguments;  // behind the program name
    bool adminStart;
    std::string folder;
    std::string desktop;
};

class ParseCommandLineTest : public ::testing::TestWithParam<OptionCase> {};

TEST_P(ParseCommandLineTest, SetsTheOptions) {
    sim::Scenario pc = DefaultPc();
    for (const char* folder : {R"(C:\One)", R"(C:\Two)", R"(C:\Ends In Slash)"}) {
        pc.files[U(folder)] = sim::File{.directory = true};
    }
    pc.files[U(R"(C:\One\file.txt)")] = sim::File{};
    tools::SimSession session(pc);
    CHalvexApp app;
    bool adminStart = ParseCommandLine(U("VORTAU.exe " + GetParam().arguments), app);
    EXPECT_EQ(adminStart, GetParam().adminStart);
    EXPECT_EQ(app.m_strFolderOption, U(GetParam().folder));
    EXPECT_EQ(app.m_strDesktopOption, U(GetParam().desktop));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseCommandLineTest,
    ::testing::Values(
        OptionCase{"AdminSwitch", "/ADMIN", true, "", ""},
        OptionCase{"AdminWithDash", "-ADMIN", true, "", ""},
        OptionCase{"AdminPrefixCounts", "/ADMINX", true, "", ""},
        OptionCase{"LowerCaseAdminIsNot", "/admin", false, "", ""},
        OptionCase{"OtherSwitchIgnored", "/QUIET", false, "", ""},
        OptionCase{"DesktopQuoted", R"(/DESKTOP="C:\Users\Me\Desktop")", false, "",
                   R"(C:\Users\Me\Desktop)"},
        OptionCase{"DesktopBlanksThenQuotes", R"("/DESKTOP=  \"C:\D\"  ")", false, "", R"(C:\D)"},
        OptionCase{"DesktopEmpty", "/DESKTOP=", false, "", ""},
        OptionCase{"DesktopOnlyQuotesAndBlanks", R"("/DESKTOP= \"\"\" ")", false, "", ""},
        OptionCase{"ExistingFolder", R"("C:\One")", false, R"(C:\One)", ""},
        OptionCase{"FolderWithTrailingQuote", R"("C:\Ends In Slash\")", false,
                   R"(C:\Ends In Slash)", ""},
        OptionCase{"SecondFolderWins", R"(C:\One C:\Two)", false, R"(C:\Two)", ""},
        OptionCase{"MissingFolderIgnored", R"(C:\One C:\Gone)", false, R"(C:\One)", ""},
        OptionCase{"FileIsNotAFolder", R"(C:\One\file.txt)", false, "", ""},
        OptionCase{"EmptyArgument", R"("")", false, "", ""},
        OptionCase{"EverythingTogether", R"("C:\One" /ADMIN /DESKTOP="C:\D")", true, R"(C:\One)",
                   R"(C:\D)"}),
    [](const auto& info) { return info.param.name; });

TEST(ParseCommandLineTest, LogsEachArgumentInTheAnsiCodePage) {
    sim::Scenario pc = DefaultPc();
    pc.ansiCodePage = 932;
    pc.files[U("C:\\ダウンロード")] = sim::File{.directory = true};
    tools::SimSession session(pc);
    CHalvexApp app;
    ParseCommandLine(U("V.exe C:\\ダウンロード C:\\Gone"), app);
    EXPECT_EQ(
        TraceTexts(session),
        (std::vector<std::string>{
            "VORTAU InitInstance Option:C:\\\x83\x5f\x83\x45\x83\x93"
            "\x83\x8d\x81\x5b\x83\x68\n",
            "VORTAU InitInstance Option is Folder??\n", "VORTAU InitInstance TRUE == IsFolder()\n",
            "VORTAU InitInstance Option:C:\\Gone\n", "VORTAU InitInstance Option is Folder??\n",
            "VORTAU InitInstance FALSE == IsFolder()\n"}));
}

// Arguments of any length are split, logged cut to a line and never overrun anything.
TEST(ParseCommandLineTest, TakesThirtyTwoKibibytesOfArguments) {
    tools::SimSession session(DefaultPc());
    CHalvexApp app;
    std::string huge = "/DESKTOP=" + std::string(32 * 1024, 'd');
    std::string folder = "C:\\" + std::string(300, 'f');
    ParseCommandLine(U("V.exe " + huge + " \"" + folder), app);
    EXPECT_EQ(app.m_strDesktopOption.size(), 32u * 1024);
    // The first line of the arguments fills its slot.
    const std::vector<std::string> lines = session.Trace();
    auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("VORTA") != std::string::npos;
    });
    ASSERT_NE(first, lines.end());
    EXPECT_EQ(first->size(), 256u);
    // A path past MAX_PATH fails with an error other than "not found": it counts as a folder.
    EXPECT_EQ(app.m_strFolderOption, U(folder));
}

struct FolderCase {
    const char* path;
    bool isFolder;
};

class IsFolderTest : public ::testing::TestWithParam<FolderCase> {};

TEST_P(IsFolderTest, ReadsTheAttributes) {
    sim::Scenario pc = DefaultPc();
    pc.files[u"C:\\Data\\report.txt"] = sim::File{};
    tools::SimSession session(pc);
    EXPECT_EQ(IsFolder(U(GetParam().path)), GetParam().isFolder) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(Cases, IsFolderTest,
                         ::testing::Values(FolderCase{"", false}, FolderCase{R"(C:\Data)", true},
                                           FolderCase{R"(C:\Data\)", true},
                                           FolderCase{R"(c:\data)", true},
                                           FolderCase{R"(C:\Data\report.txt)", false},
                                           FolderCase{R"(C:\Data\missing)", false},
                                           FolderCase{R"(C:\Nowhere\missing)", false},
                                           FolderCase{R"(C:\bad"name)", true}));

}  // namespace
}  // namespace corvane
