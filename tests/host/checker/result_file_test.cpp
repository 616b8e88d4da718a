// The result file: its bytes for the outcomes of a run, where it lands, and what a full disk
// leaves behind.

#include "checker/result_file.h"

#include <gtest/gtest.h>

#include "checker/halvex_app.h"
#include "tests/host/checker/sim_pc.h"

namespace corvane {
namespace {

using testing::DefaultPc;
using testing::TraceTexts;
using testing::U;

// The virtual clock's start: 3 December 2026, 09:14:25.
const std::u16string kFileName = u"CheckInfo20261203091425.log";
const std::u16string kDownloads = u"C:\\Downloads";
const std::u16string kDesktop = u"C:\\Documents and Settings\\User\\Desktop";

const std::u16string kOsText =
    u"You cannot use Pellora/Quintrel with your current OS version. Please upgrade your OS to "
    u"the required version.";
const std::u16string kAdapterText =
    u"Unable to detect wireless LAN adapter. A wireless LAN adapter is required to establish a "
    u"wireless connection with Pellora/Quintrel. If the wireless LAN adapter is already "
    u"connected, please make sure it is enabled.";
const std::u16string kSwitchingText =
    u"Wireless LAN switching check failed.\r\n - If the wireless LAN adapter is off, please turn "
    u"it on and run this program again.\r\n - Please use a compatible wireless LAN adapter. A "
    u"list of compatible adapters can be found on the Tavir homepage or by contacting Tavir "
    u"Technical support.";
const std::u16string kPassed =
    u"You can run Pellora/Quintrel on your computer. Please note that you may need to add an "
    u"exception for Pellora/Quintrel if you have a firewall enabled.";
const std::u16string kFailed =
    u"You may not be able to run Pellora/Quintrel on your computer. Please see the results for "
    u"more details.";

const std::u16string kOs = u"1.Checking OS support\r\n";
const std::u16string kAccount = u"2.Checking user account\r\n";
const std::u16string kAdapter = u"3.Checking wireless LAN adapter\r\n";
const std::u16string kSwitching = u"4.Checking wireless LAN switching\r\n";

std::u16string Pass(const std::u16string& head) {
    return head + u"  Pass\r\n\r\n";
}
std::u16string Fail(const std::u16string& head, const std::u16string& text) {
    return head + u"  Fail\r\n\r\n" + text + u"\r\n\r\n";
}
std::u16string NotRun(const std::u16string& head) {
    return head + u"  ---\r\n\r\n";
}
std::u16string Verdict(const std::u16string& text) {
    return u"\r\nVerification complete.\r\n\r\n" + text;
}

std::string Utf16Le(const std::u16string& text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::string FileBytes(const std::u16string& text) {
    return "\xFF\xFE" + Utf16Le(text);
}

enum class Texts { EnglishFile, JapaneseFile, BuiltIn, None };

void LoadTexts(CHalvexApp& app, Texts texts) {
    if (texts == Texts::BuiltIn) {
        app.m_messages.SetDefaultStrings();
    } else if (texts != Texts::None) {
        ASSERT_TRUE(app.m_messages.LoadLocalizedString());
    }
}

sim::Scenario PcFor(Texts texts) {
    if (texts == Texts::JapaneseFile) {
        return tools::ParseScenario(R"({"languageFile": "japanese"})").scenario;
    }
    return DefaultPc();
}

void SetStatuses(CHalvexApp& app, const int (&statuses)[4]) {
    app.m_nOSStatus = statuses[0];
    app.m_nAdminStatus = statuses[1];
    app.m_nAdapterStatus = statuses[2];
    app.m_nWlanStatus = statuses[3];
}

const sim::File* Find(tools::SimSession& session, const std::u16string& path) {
    return session.pc().FindFile(path);
}

struct ContentCase {
    std::string name;
    Texts texts;
    int statuses[4];  // OS, account, adapter, switching
    std::u16string content;
};

class ResultContentTest : public ::testing::TestWithParam<ContentCase> {};

TEST_P(ResultContentTest, WritesTheItemsAndTheVerdict) {
    const ContentCase& c = GetParam();
    tools::SimSession session(PcFor(c.texts));
    CHalvexApp app;
    LoadTexts(app, c.texts);
    SetStatuses(app, c.statuses);
    app.m_strFolderOption = kDownloads;
    EXPECT_TRUE(OutPutResultLog(app));
    const sim::File* file = Find(session, kDownloads + u"\\" + kFileName);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->bytes, FileBytes(c.content));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResultContentTest,
    ::testing::Values(
        ContentCase{"AllPassed",
                    Texts::EnglishFile,
                    {2, 1, 1, 4},
                    u"1.Checking OS support\r\n  Pass\r\n\r\n"
                    u"2.Checking user account\r\n  Pass\r\n\r\n"
                    u"3.Checking wireless LAN adapter\r\n  Pass\r\n\r\n"
                    u"4.Checking wireless LAN switching\r\n  Pass\r\n\r\n"
                    u"\r\nVerification complete.\r\n\r\n" +
                        kPassed},
        // Both failures of check 1 give text 16; the rest was never run.
        ContentCase{"Windows2000WithoutRollup",
                    Texts::EnglishFile,
                    {1, 2, 2, 6},
                    Fail(kOs, kOsText) + NotRun(kAccount) + NotRun(kAdapter) + NotRun(kSwitching) +
                        Verdict(kFailed)},
        ContentCase{"CancelledHasNoVerdict",
                    Texts::EnglishFile,
                    {2, 1, 1, 5},
                    Pass(kOs) + Pass(kAccount) + Pass(kAdapter) + NotRun(kSwitching)},
        ContentCase{"SwitchingFailedWithTheFilesLineBreaks",
                    Texts::EnglishFile,
                    {2, 1, 1, 3},
                    Pass(kOs) + Pass(kAccount) + Pass(kAdapter) + Fail(kSwitching, kSwitchingText) +
                        Verdict(kFailed)},
        ContentCase{"AdapterFailed",
                    Texts::BuiltIn,
                    {2, 1, 0, 6},
                    Pass(kOs) + Pass(kAccount) + Fail(kAdapter, kAdapterText) + NotRun(kSwitching) +
                        Verdict(kFailed)},
        ContentCase{"BuiltInSwitchingText",
                    Texts::BuiltIn,
                    {2, 1, 1, 0},
                    Pass(kOs) + Pass(kAccount) + Pass(kAdapter) +
                        Fail(kSwitching, U("Wireless LAN switching check failed.\n - If the "
                                           "wireless LAN adapter is off, please turn it on and "
                                           "run this program again.\n - Please use a compatible "
                                           "wireless LAN adapter. A list of compatible adapters "
                                           "can be found on the Tavir homepage or by contacting "
                                           "Tavir Technical support.")) +
                        Verdict(kFailed)},
        // Items that never ran do not count against the verdict.
        ContentCase{"NothingRun",
                    Texts::EnglishFile,
                    {3, -1, 7, 6},
                    NotRun(kOs) + NotRun(kAccount) + NotRun(kAdapter) + NotRun(kSwitching) +
                        Verdict(kPassed)},
        ContentCase{"Japanese",
                    Texts::JapaneseFile,
                    {2, 0, 2, 6},
                    U("1.サポートOS確認\r\n  成功\r\n\r\n"
                      "2.ユーザアカウント確認\r\n  失敗\r\n\r\n"
                      "Pellora/Quintrelを使用するためには、アプリケーションをインストールする"
                      "必要があり、管理者情報が必要です。\r\n\r\n"
                      "3.無線LANアダプタ確認\r\n  ---\r\n\r\n"
                      "4.無線LAN切り替え確認\r\n  ---\r\n\r\n"
                      "\r\n検証が終了しました。\r\n\r\n"
                      "お使いのコンピュータではPellora/Quintrelが正常に動作しない可能性があります。"
                      "詳細は各項目の結果を参照ください。")},
        // A table without a single message leaves every text empty.
        ContentCase{"EmptyTable",
                    Texts::None,
                    {2, 1, 0, 6},
                    u"1.\r\n  \r\n\r\n2.\r\n  \r\n\r\n3.\r\n  \r\n\r\n\r\n\r\n4.\r\n  ---\r\n\r\n"
                    u"\r\n\r\n\r\n"}),
    [](const auto& info) { return info.param.name; });

struct PlaceCase {
    std::string name;
    void (*change)(sim::Scenario&);
    std::u16string folderOption;
    std::u16string desktopOption;
    bool result;
    std::u16string file;  // empty: none anywhere
    std::u16string folderAfter;
    std::u16string desktopAfter;
    std::vector<std::string> trace;
};

void Unchanged(sim::Scenario&) {}
void ReadOnlyDownloads(sim::Scenario& pc) {
    pc.files[kDownloads] = sim::File{.directory = true, .readOnly = true};
}
void ReadOnlyOldResult(sim::Scenario& pc) {
    pc.files[kDownloads + u"\\" + kFileName] = sim::File{.readOnly = true};
}
void NoDesktop(sim::Scenario& pc) {
    pc.desktopPath.clear();
}
void ElevatedDesktop(sim::Scenario& pc) {
    pc.files[u"C:\\Users\\Owner\\Desktop"] = sim::File{.directory = true};
}

const std::string kNameLine = "VORTAU OutPutResultLog FileName:CheckInfo20261203091425.log\n";
const std::string kCreateError = "VORTAU OutPutResultLog CreateFile Error!!\n";
const std::string kDownloadsLine =
    "VORTAU OutPutResultLog LogFilePath:C:\\Downloads\\CheckInfo20261203091425.log\n";
const std::string kDesktopLines[] = {
    "VORTAU GetDeskTopPath DeskTopPath:C:\\Documents and Settings\\User\\Desktop\n",
    "VORTAU OutPutResultLog LogFilePath:C:\\Documents and Settings\\User\\Desktop\\"
    "CheckInfo20261203091425.log\n"};

class ResultPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(ResultPlaceTest, FolderOptionElseDesktop) {
    const PlaceCase& c = GetParam();
    sim::Scenario pc = DefaultPc();
    c.change(pc);
    tools::SimSession session(pc);
    CHalvexApp app;
    app.m_messages.SetDefaultStrings();
    app.m_strFolderOption = c.folderOption;
    app.m_strDesktopOption = c.desktopOption;
    EXPECT_EQ(OutPutResultLog(app), c.result);
    if (!c.file.empty()) {
        EXPECT_NE(Find(session, c.file), nullptr);
    }
    // No result anywhere else; an old read-only one stays as it was.
    for (const std::u16string& folder : {kDownloads, kDesktop}) {
        std::u16string path = folder + u"\\" + kFileName;
        const sim::File* other = path == c.file ? nullptr : Find(session, path);
        EXPECT_TRUE(other == nullptr || other->readOnly) << sim::ToUtf8(path);
    }
    EXPECT_EQ(app.m_strFolderOption, c.folderAfter);
    EXPECT_EQ(app.m_strDesktopOption, c.desktopAfter);
    EXPECT_EQ(TraceTexts(session), c.trace);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResultPlaceTest,
    ::testing::Values(
        PlaceCase{"BesideTheLauncher",
                  Unchanged,
                  kDownloads,
                  u"",
                  true,
                  kDownloads + u"\\" + kFileName,
                  kDownloads,
                  u"",
                  {kNameLine, "VORTAU OutPutResultLog OptionPath:C:\\Downloads\n", kDownloadsLine}},
        PlaceCase{
            "TrailingBackslashesRemoved",
            Unchanged,
            kDownloads + u"\\\\\\",
            u"",
            true,
            kDownloads + u"\\" + kFileName,
            kDownloads,
            u"",
            {kNameLine, "VORTAU OutPutResultLog OptionPath:C:\\Downloads\\\\\\\n", kDownloadsLine}},
        PlaceCase{"ReadOnlyFolderFallsBackToTheDesktop",
                  ReadOnlyDownloads,
                  kDownloads,
                  u"",
                  true,
                  kDesktop + u"\\" + kFileName,
                  kDesktop,
                  kDesktop,
                  {kNameLine, "VORTAU OutPutResultLog OptionPath:C:\\Downloads\n", kDownloadsLine,
                   kCreateError, kDesktopLines[0], kDesktopLines[1]}},
        PlaceCase{"ReadOnlyFileOfTheSameName",
                  ReadOnlyOldResult,
                  kDownloads,
                  u"",
                  true,
                  kDesktop + u"\\" + kFileName,
                  kDesktop,
                  kDesktop,
                  {kNameLine, "VORTAU OutPutResultLog OptionPath:C:\\Downloads\n", kDownloadsLine,
                   kCreateError, kDesktopLines[0], kDesktopLines[1]}},
        PlaceCase{"VanishedFolderFallsBackToTheDesktop",
                  Unchanged,
                  u"C:\\Gone",
                  u"",
                  true,
                  kDesktop + u"\\" + kFileName,
                  kDesktop,
                  kDesktop,
                  {kNameLine, "VORTAU OutPutResultLog OptionPath:C:\\Gone\n",
                   "VORTAU OutPutResultLog LogFilePath:C:\\Gone\\CheckInfo20261203091425.log\n",
                   kCreateError, kDesktopLines[0], kDesktopLines[1]}},
        // The desktop of the user who started the elevated instance, taken as given.
        PlaceCase{"DesktopOptionUsedAsGiven",
                  ElevatedDesktop,
                  u"",
                  u"C:\\Users\\Owner\\Desktop\\",
                  true,
                  u"C:\\Users\\Owner\\Desktop\\" + kFileName,
                  u"C:\\Users\\Owner\\Desktop\\",
                  u"C:\\Users\\Owner\\Desktop\\",
                  {kNameLine,
                   "VORTAU OutPutResultLog LogFilePath:C:\\Users\\Owner\\Desktop\\\\"
                   "CheckInfo20261203091425.log\n"}},
        PlaceCase{"NoFolderAndNoDesktop",
                  NoDesktop,
                  u"",
                  u"",
                  false,
                  u"",
                  u"",
                  u"",
                  {kNameLine, kCreateError}},
        PlaceCase{"UnusableFolderAndNoDesktop",
                  NoDesktop,
                  u"C:\\Gone",
                  u"",
                  false,
                  u"",
                  u"C:\\Gone",
                  u"",
                  {kNameLine, "VORTAU OutPutResultLog OptionPath:C:\\Gone\n",
                   "VORTAU OutPutResultLog LogFilePath:C:\\Gone\\CheckInfo20261203091425.log\n",
                   kCreateError, kCreateError}}),
    [](const auto& info) { return info.param.name; });

TEST(ResultFileTest, ASecondRunInTheSameSecondReplacesTheFirst) {
    tools::SimSession session(DefaultPc());
    CHalvexApp app;
    app.m_messages.SetDefaultStrings();
    app.m_strFolderOption = kDownloads;
    SetStatuses(app, {2, 1, 1, 4});
    ASSERT_TRUE(OutPutResultLog(app));
    session.pc().scheduler().Sleep(999);
    SetStatuses(app, {2, 1, 1, 5});
    ASSERT_TRUE(OutPutResultLog(app));
    EXPECT_EQ(Find(session, kDownloads + u"\\" + kFileName)->bytes,
              FileBytes(Pass(kOs) + Pass(kAccount) + Pass(kAdapter) + NotRun(kSwitching)));
}

TEST(ResultFileTest, AFullDiskLeavesWhatWasWritten) {
    const std::u16string first = Pass(kOs);
    const struct {
        uint64_t room;
        std::string bytes;
    } cases[] = {
        {0, ""},
        // Room for the mark, item 1 and part of item 2: each block goes whole or not at all.
        {2 + first.size() * 2 + 10, FileBytes(first)},
    };
    for (const auto& c : cases) {
        sim::Scenario pc = DefaultPc();
        pc.diskFullAfterBytes = c.room;
        tools::SimSession session(pc);
        CHalvexApp app;
        app.m_messages.SetDefaultStrings();
        app.m_strFolderOption = kDownloads;
        SetStatuses(app, {2, 1, 1, 4});
        EXPECT_TRUE(OutPutResultLog(app));
        EXPECT_EQ(Find(session, kDownloads + u"\\" + kFileName)->bytes, c.bytes);
        EXPECT_EQ(TraceTexts(session).back(), "VORTAU OutPutResultLog Write Error!!\n") << c.room;
    }
}

}  // namespace
}  // namespace corvane
