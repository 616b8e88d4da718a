// The payload unpacked into the private folder, its clean-up entry and VORTAU's start.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "launcher_pc.h"
#include "resources/launcher_resource.h"

namespace corvane::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;
using ::testing::StartsWith;

const std::u16string kVortau = std::u16string(kPrivateFolder) + u"\\VORTAU.exe";

// The files land byte for byte in the order that puts VORTAU last, each after its line and
// before its OK, and VORTAU starts from the folder with the launcher's folder as its argument
// once the mutex is free for it.
TEST(HandOffTest, UnpacksInOrderAndStartsVortauFromThePrivateFolder) {
    sim::Scenario pc = LauncherPc();
    LauncherRun run(pc);
    std::vector<std::string> trace = run.Trace();
    auto at = std::find(trace.begin(), trace.end(), "VORTA Decompression -> TAVIR_CorvaneWD.INF");
    ASSERT_NE(at, trace.end());
    EXPECT_EQ(std::vector<std::string>(at, trace.end()),
              (std::vector<std::string>{
                  "VORTA Decompression -> TAVIR_CorvaneWD.INF", "VORTA   ...OK",
                  "VORTA Decompression -> TAVIR_CorvaneWD.SYS", "VORTA   ...OK",
                  "VORTA Decompression -> Language.ini", "VORTA   ...OK",
                  "VORTA Decompression -> VORTAU.exe", "VORTA   ...OK", "VORTA ShellExecute()...",
                  "VORTA   [" + sim::ToUtf8(kVortau) + "]", "VORTA   [\"C:\\Downloads\"]",
                  "VORTA   [" + sim::ToUtf8(kPrivateFolder) + "]",
                  "VORTA -----------------  END  ----------------"}));
    for (auto [name, id] : {std::pair{u"TAVIR_CorvaneWD.inf", IDR_PAYLOAD_INF},
                            {u"TAVIR_CorvaneWD.sys", IDR_PAYLOAD_SYS},
                            {u"Language.ini", IDR_PAYLOAD_LANGUAGE_ENGLISH},
                            {u"VORTAU.exe", IDR_PAYLOAD_VORTAU}}) {
        ASSERT_NE(run.Private(name), nullptr) << sim::ToUtf8(name);
        EXPECT_EQ(run.Private(name)->bytes, pc.resources.at({id, RT_PAYLOAD}));
    }
    EXPECT_EQ(run.RunOnceValue(), u"cmd /Q /C rd /S /Q \"" + std::u16string(kPrivateFolder) +
                                      u"\"" + std::u16string(1, u'\0'));
    ASSERT_EQ(run.pc().programStarts().size(), 1u);
    const sim::ProgramStart& start = run.pc().programStarts()[0];
    EXPECT_EQ(start.verb, u"open");
    EXPECT_EQ(start.file, kVortau);
    EXPECT_EQ(start.parameters, u"\"C:\\Downloads\"");
    EXPECT_EQ(start.directory, kPrivateFolder);
    EXPECT_EQ(start.show, 1);
    EXPECT_THAT(start.namedObjects, Not(Contains("TAVIR_Corvane_Mutex")));
}

struct FolderCase {
    const char* name;
    const char* launcherPath;
    uint32_t codePage;
    const char* parameters;  // UTF-8
};

class LauncherFolderTest : public ::testing::TestWithParam<FolderCase> {};

// 表 is 0x95 0x5C in code page 932: its trail byte is no backslash to remove or split at.
INSTANTIATE_TEST_SUITE_P(
    Cases, LauncherFolderTest,
    ::testing::Values(FolderCase{"DriveRoot", "D:\\VORTA.exe", 1252, "\"D:\""},
                      FolderCase{"NestedFolder", "C:\\Users\\Ann\\My Downloads\\VORTA.exe", 1252,
                                 "\"C:\\Users\\Ann\\My Downloads\""},
                      FolderCase{"TrailByteEndsTheFolder", "C:\\表\\VORTA.exe", 932, "\"C:\\表\""},
                      FolderCase{"TrailByteInTheFileName", "C:\\ダウンロード\\表.exe", 932,
                                 "\"C:\\ダウンロード\""},
                      FolderCase{"TrailByteUnderWesternCodePage", "C:\\Data\\VORTA.exe", 932,
                                 "\"C:\\Data\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(LauncherFolderTest, PassesTheFolderQuotedWithoutItsBackslash) {
    sim::Scenario pc = LauncherPc();
    pc.modulePath = sim::FromUtf8(GetParam().launcherPath);
    pc.ansiCodePage = GetParam().codePage;
    LauncherRun run(pc);
    ASSERT_EQ(run.pc().programStarts().size(), 1u);
    EXPECT_EQ(run.pc().programStarts()[0].parameters, sim::FromUtf8(GetParam().parameters));
}

TEST(HandOffTest, OverwritesTheFilesOfAnEarlierRun) {
    sim::Scenario pc = LauncherPc();
    pc.files[std::u16string(kPrivateFolder) + u"\\VORTAU.exe"] = sim::File{.bytes = "old"};
    pc.files[std::u16string(kPrivateFolder) + u"\\Language.ini"] = sim::File{.bytes = "old text"};
    LauncherRun run(pc);
    EXPECT_EQ(run.Private(u"VORTAU.exe")->bytes, pc.resources.at({IDR_PAYLOAD_VORTAU, RT_PAYLOAD}));
    EXPECT_EQ(run.Private(u"Language.ini")->bytes,
              pc.resources.at({IDR_PAYLOAD_LANGUAGE_ENGLISH, RT_PAYLOAD}));
    EXPECT_EQ(run.pc().programStarts().size(), 1u);
}

TEST(HandOffTest, CreatesAMissingRunOnceKeyAndWritesTheEntryInIt) {
    LauncherRun run(LauncherPc(R"({"start": "VORTA", "runOnceKey": false})"));
    std::vector<std::string> trace = run.Trace();
    auto at = std::find(trace.begin(), trace.end(), "VORTA Error RunOnce key not found.");
    ASSERT_NE(at, trace.end());
    EXPECT_THAT(std::vector<std::string>(at, at + 3),
                ElementsAre("VORTA Error RunOnce key not found.",
                            "VORTA RegCreateKeyEx() RunOnce key.", "VORTA     ret = 0 (0)"));
    EXPECT_NE(run.RunOnceValue(), std::nullopt);
    EXPECT_EQ(run.pc().programStarts().size(), 1u);
}

// The private folder has Everyone read and execute before the inherited entries of the
// temporary folder, and the new folder stays auto-inherited.
TEST(HandOffTest, OpensTheNewFolderToEveryoneForReadingOnly) {
    sim::Scenario pc = LauncherPc();
    const std::string user = {1, 5, 0, 0, 0, 0, 0, 5, 21, 0, 0,    0,    1, 0,
                              0, 0, 2, 0, 0, 0, 3, 0, 0,  0, 0x20, 0x40, 0, 0};
    pc.files[pc.tempPath] =
        sim::File{.directory = true, .dacl = std::vector<sim::Ace>{{0, 0x03, 0x1F01FF, user}}};
    LauncherRun run(pc);
    const std::string everyone = {1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};
    ASSERT_NE(run.Private(), nullptr);
    ASSERT_TRUE(run.Private()->dacl.has_value());
    EXPECT_EQ(*run.Private()->dacl,
              (std::vector<sim::Ace>{{0, 0x03, 0xA0000000, everyone}, {0, 0x13, 0x1F01FF, user}}));
    EXPECT_EQ(run.Private()->securityControl, 0x0500);
}

struct FailureCase {
    const char* name;
    std::function<void(sim::Scenario&)> change;
    std::string line;                   // the last line before END, or its beginning
    bool runOnceWritten;                // the clean-up entry was written before the failure
    std::vector<std::u16string> files;  // what the private folder holds afterwards
};

std::ostream& operator<<(std::ostream& out, const FailureCase& c) {
    return out << c.name;
}

class FailureTest : public ::testing::TestWithParam<FailureCase> {};

const std::u16string kAll[] = {u"TAVIR_CorvaneWD.inf", u"TAVIR_CorvaneWD.sys", u"Language.ini",
                               u"VORTAU.exe"};

INSTANTIATE_TEST_SUITE_P(
    Cases, FailureTest,
    ::testing::Values(
        // A damaged launcher ends before it writes anything.
        FailureCase{"VortauMissing",
                    [](sim::Scenario& s) {
                        s.resources.erase({130, RT_PAYLOAD});
                    },
                    "VORTA Error FindResource(130) [1814]",
                    false,
                    {}},
        FailureCase{"DriverEmpty",
                    [](sim::Scenario& s) {
                        s.resources[{133, RT_PAYLOAD}].clear();
                    },
                    "VORTA Error SizeofResource(133) [",
                    false,
                    {}},
        FailureCase{"NoTempFolder",
                    [](sim::Scenario& s) { s.tempPath.clear(); },
                    "VORTA Error GetTempPath() [3]",
                    false,
                    {}},
        // 259 characters fit the buffer; the folder in it would not fit a path.
        FailureCase{"TempPathOf259",
                    [](sim::Scenario& s) {
                        s.tempPath = u"C:\\" + std::u16string(255, u't') + u"\\";
                        s.files[s.tempPath] = sim::File{.directory = true};
                    },
                    "VORTA Error CreateDirectory() [206]",
                    true,
                    {}},
        FailureCase{
            "TempPathTooLongForTheBuffer",
            [](sim::Scenario& s) { s.tempPath = u"C:\\" + std::u16string(300, u't') + u"\\"; },
            "VORTA Error GetTempPath() [",
            false,
            {}},
        // A cut module path would name the wrong folder to VORTAU.
        FailureCase{"ModulePathAtMaxPath",
                    [](sim::Scenario& s) {
                        s.modulePath = u"C:\\" + std::u16string(247, u'd') + u"\\VORTA.exe";
                    },
                    "VORTA Error GetModuleFileName() [0]",
                    false,
                    {}},
        FailureCase{"RunOnceKeyReadOnly",
                    [](sim::Scenario& s) { s.network.readOnlyKeys.insert(kRunOnceKey); },
                    "VORTA Error cRegistry.SetRegValueSZ() [5]",
                    false,
                    {}},
        FailureCase{"TempFolderReadOnly",
                    [](sim::Scenario& s) {
                        s.files[s.tempPath] = sim::File{.directory = true, .readOnly = true};
                    },
                    "VORTA Error CreateDirectory() [5]",
                    true,
                    {}},
        FailureCase{"PrivateFolderReadOnly",
                    [](sim::Scenario& s) {
                        s.files[kPrivateFolder] = sim::File{.directory = true, .readOnly = true};
                    },
                    "VORTA Error CFile::Open() [5]",
                    true,
                    {}},
        // The files before the failing one stay; the RunOnce entry removes them later.
        FailureCase{"DiskFullAtTheDriver",
                    [](sim::Scenario& s) {
                        s.diskFullAfterBytes = s.resources.at({132, RT_PAYLOAD}).size();
                    },
                    "VORTA Error CFile::Write() [112]",
                    true,
                    {u"TAVIR_CorvaneWD.inf", u"TAVIR_CorvaneWD.sys"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(FailureTest, EndsWithALogLineAndStartsNothing) {
    const FailureCase& c = GetParam();
    sim::Scenario pc = LauncherPc();
    c.change(pc);
    LauncherRun run(pc);
    std::vector<std::string> trace = run.Trace();
    ASSERT_GE(trace.size(), 2u);
    EXPECT_THAT(trace[trace.size() - 2], StartsWith(c.line));
    EXPECT_EQ(trace.back(), "VORTA -----------------  END  ----------------");
    EXPECT_TRUE(run.pc().programStarts().empty());
    EXPECT_TRUE(run.pc().messageBoxes().empty());
    EXPECT_EQ(run.RunOnceValue().has_value(), c.runOnceWritten);
    for (const std::u16string& name : kAll) {
        bool expected = std::find(c.files.begin(), c.files.end(), name) != c.files.end();
        EXPECT_EQ(run.Private(name) != nullptr, expected) << sim::ToUtf8(name);
    }
    EXPECT_EQ(run.pc().CountObjects<sim::NamedMutex>(), 0u);
    EXPECT_EQ(run.pc().CountObjects<sim::OpenFile>(), 0u) << "a file left open";
    EXPECT_EQ(run.pc().network().registry().openKeys(), 0u) << "a key left open";
}

// A temporary folder that does not end in a backslash still holds the private folder.
TEST(HandOffTest, PutsThePrivateFolderInsideATempPathWithoutBackslash) {
    sim::Scenario pc = LauncherPc();
    pc.tempPath = u"C:\\Temp";
    pc.files[u"C:\\Temp"] = sim::File{.directory = true};
    LauncherRun run(pc);
    EXPECT_NE(run.pc().FindFile(u"C:\\Temp\\{1A8B078A-38DC-4efc-98E7-B6407DB6382C}\\VORTAU.exe"),
              nullptr);
    ASSERT_EQ(run.pc().programStarts().size(), 1u);
    EXPECT_EQ(run.pc().programStarts()[0].directory,
              u"C:\\Temp\\{1A8B078A-38DC-4efc-98E7-B6407DB6382C}");
}

}  // namespace
}  // namespace corvane::testing
