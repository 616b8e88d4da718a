// Start-up paths that need the clock or a second program: the admin start's wait for the
// mutex, the elevated re-launch and the desktop folder.

#include <gtest/gtest.h>

#include "checker/desktop_path.h"
#include "checker/halvex_app.h"
#include "checker/module_path.h"
#include "tests/host/checker/sim_pc.h"

namespace corvane {
namespace {

using testing::DefaultPc;
using testing::TraceTexts;
using testing::U;

size_t Count(const std::vector<std::string>& lines, const std::string& line) {
    return std::count(lines.begin(), lines.end(), line);
}

sim::Scenario AdminStart(std::optional<uint32_t> heldUntil) {
    sim::Scenario pc = DefaultPc();
    pc.commandLine = u"VORTAU.exe /ADMIN";
    pc.otherInstanceHoldsMutexUntil = heldUntil;
    return pc;
}

TEST(AdminStartTest, WaitsForTheFirstInstanceToLetGo) {
    tools::SimSession session(AdminStart(500));
    CHalvexApp app;
    app.InitInstance();
    auto trace = TraceTexts(session);
    EXPECT_EQ(Count(trace, "VORTAU InitInstance CheckMutex()\n"), 51u);  // at 0, 10, ... 500 ms
    EXPECT_EQ(Count(trace, "VORTAU InitInstance CheckMutex TimeOut!!\n"), 0u);
    EXPECT_EQ(app.m_nOSStatus, 2);
    EXPECT_TRUE(session.pc().dialogs().shown().empty() ||
                session.pc().dialogs().shown() == std::vector<int>{130});
    EXPECT_TRUE(app.m_hMutex);
}

TEST(AdminStartTest, GivesUpAfterTwoSeconds) {
    tools::SimSession session(AdminStart(UINT32_MAX));
    CHalvexApp app;
    app.InitInstance();
    auto trace = TraceTexts(session);
    EXPECT_EQ(trace.back(), "VORTAU InitInstance CheckMutex TimeOut!!\n");
    EXPECT_EQ(Count(trace, "VORTAU InitInstance CheckMutex()\n"), 202u);
    EXPECT_GT(session.pc().now(), 2000u);
    EXPECT_LE(session.pc().now(), 2020u);
    EXPECT_EQ(app.m_nOSStatus, 3);
    EXPECT_FALSE(app.m_hMutex);
}

// GetTickCount wraps every 49.7 days; the wait must measure across the wrap.
TEST(AdminStartTest, WaitsAcrossTheTickCountWrap) {
    sim::Scenario pc = AdminStart(UINT32_MAX);
    pc.startTickCount = 0xFFFFFF00u;
    tools::SimSession session(pc);
    CHalvexApp app;
    app.InitInstance();
    EXPECT_GT(session.pc().now(), 2000u);
    EXPECT_LE(session.pc().now(), 2020u);
}

struct RelaunchCase {
    std::string name;
    sim::Elevation elevation;
    std::u16string desktop;
    bool accepted;
    std::string parameters;
    std::string resultLine;
};

class RelaunchElevatedTest : public ::testing::TestWithParam<RelaunchCase> {};

TEST_P(RelaunchElevatedTest, StartsThisProgramAgain) {
    const RelaunchCase& c = GetParam();
    sim::Scenario pc = DefaultPc();
    pc.elevation = c.elevation;
    pc.desktopPath = c.desktop;
    pc.commandLine = u"\"C:\\Temp\\VORTAU.exe\"  \"C:\\Downloads\"";
    tools::SimSession session(pc);
    CHalvexApp app;
    EXPECT_EQ(app.RelaunchElevated(), c.accepted);
    auto trace = TraceTexts(session);
    ASSERT_GE(trace.size(), 2u);
    EXPECT_EQ(trace[trace.size() - 2], "VORTAU InitInstance ShellExecute(runas)\n");
    EXPECT_EQ(trace.back(), c.resultLine);
    if (c.accepted) {
        ASSERT_EQ(session.pc().programStarts().size(), 1u);
        const sim::ProgramStart& start = session.pc().programStarts()[0];
        EXPECT_EQ(start.verb, u"runas");
        EXPECT_EQ(start.file, pc.modulePath);
        EXPECT_EQ(start.parameters, U(c.parameters));
        EXPECT_EQ(start.directory, pc.currentDirectory);
        EXPECT_EQ(start.show, 5);
    } else {
        EXPECT_TRUE(session.pc().programStarts().empty());
    }
    EXPECT_EQ(session.pc().openItemLists(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RelaunchElevatedTest,
    ::testing::Values(RelaunchCase{"Accepted", sim::Elevation::Accepted,
                                   u"C:\\Users\\Me\\Desktop\\", true,
                                   R"("C:\Downloads" /ADMIN /DESKTOP="C:\Users\Me\Desktop")",
                                   "VORTAU InitInstance ShellExecute Success(42)\n"},
                      RelaunchCase{"NoDesktop", sim::Elevation::Accepted, u"", true,
                                   R"("C:\Downloads" /ADMIN)",
                                   "VORTAU InitInstance ShellExecute Success(42)\n"},
                      RelaunchCase{"Declined", sim::Elevation::Declined, u"C:\\D", false, "",
                                   "VORTAU InitInstance ShellExecute Error(5)\n"},
                      RelaunchCase{"Impossible", sim::Elevation::Impossible, u"C:\\D", false, "",
                                   "VORTAU InitInstance ShellExecute Error(31)\n"}),
    [](const auto& info) { return info.param.name; });

TEST(RelaunchElevatedTest, CutsAVeryLongCommandLine) {
    sim::Scenario pc = DefaultPc();
    pc.desktopPath = u"C:\\D";
    pc.commandLine = u"V.exe " + std::u16string(5000, u'a');
    tools::SimSession session(pc);
    CHalvexApp app;
    ASSERT_TRUE(app.RelaunchElevated());
    EXPECT_EQ(session.pc().programStarts()[0].parameters,
              std::u16string(1024, u'a') + u" /ADMIN /DESKTOP=\"C:\\D\"");
}

// Windows XP cuts a module path longer than the buffer and leaves it unterminated.
TEST(ModulePathTest, AModulePathTooLongIsCutTo260Units) {
    sim::Scenario pc = DefaultPc();
    std::u16string folder = u"C:\\" + std::u16string(200, u'f') + u"\\";
    pc.modulePath = folder + std::u16string(100, u'v') + u".exe";
    tools::SimSession session(pc);
    std::u16string found;
    ASSERT_TRUE(GetModuleFolder(found));
    EXPECT_EQ(found, folder);

    pc.modulePath = u"C:\\" + std::u16string(300, u'f') + u"\\VORTAU.exe";
    tools::SimSession cut(pc);
    CHalvexApp app;
    ASSERT_TRUE(app.RelaunchElevated());
    EXPECT_EQ(cut.pc().programStarts()[0].file, pc.modulePath.substr(0, 260));
}

TEST(GetDeskTopPathTest, RemovesTrailingBackslashesAndFreesTheItemList) {
    sim::Scenario pc = DefaultPc();
    pc.desktopPath = u"C:\\Documents and Settings\\Me\\Desktop\\\\";
    tools::SimSession session(pc);
    std::u16string path;
    ASSERT_TRUE(GetDeskTopPath(path));
    EXPECT_EQ(path, u"C:\\Documents and Settings\\Me\\Desktop");
    EXPECT_EQ(TraceTexts(session),
              std::vector<std::string>{"VORTAU GetDeskTopPath DeskTopPath:C:\\Documents and "
                                       "Settings\\Me\\Desktop\n"});
    EXPECT_EQ(session.pc().openItemLists(), 0);
}

TEST(GetDeskTopPathTest, LeavesTheOutputAloneWithoutADesktop) {
    sim::Scenario pc = DefaultPc();
    pc.desktopPath.clear();
    tools::SimSession session(pc);
    std::u16string path = u"unchanged";
    EXPECT_FALSE(GetDeskTopPath(path));
    EXPECT_EQ(path, u"unchanged");
}

}  // namespace
}  // namespace corvane
