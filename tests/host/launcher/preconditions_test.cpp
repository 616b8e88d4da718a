// The launcher's start-up: single instance, the system and the language, before anything is
// unpacked.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "launcher/language_table.h"
#include "launcher_pc.h"
#include "resources/launcher_resource.h"

namespace corvane::testing {
namespace {

using ::testing::Contains;
using ::testing::Not;

std::u16string Text(const char* utf8) {
    return sim::FromUtf8(utf8);
}

struct SystemCase {
    const char* name;
    uint32_t platformId;
    uint32_t major;
    uint32_t minor;
    bool administrator;
    bool rollup;  // Advapi32 and Seclogon of Update Rollup 1
    std::optional<uint16_t> uiLanguage;
    uint16_t systemLanguage;
    std::vector<std::string> trace;  // in this order, others between
    const char* message;             // the box's text; none: VORTAU is started
    std::u16string languageFile;     // what lands as Language.ini when it goes on
};

std::ostream& operator<<(std::ostream& out, const SystemCase& c) {
    return out << c.name;
}

sim::Scenario PcFor(const SystemCase& c) {
    sim::Scenario pc = LauncherPc();
    pc.platformId = c.platformId;
    pc.majorVersion = c.major;
    pc.minorVersion = c.minor;
    pc.administrator = c.administrator;
    pc.uiLanguage = c.uiLanguage;
    pc.systemLanguage = c.systemLanguage;
    const char* advapi32 = c.rollup ? "5.0.2195.7038" : "5.0.2195.6876";
    const char* seclogon = c.rollup ? "5.0.2195.7003" : "5.0.2195.6701";
    for (auto [name, version] :
         {std::pair{u"Advapi32.dll", advapi32}, {u"Seclogon.dll", seclogon}}) {
        unsigned parts[4];
        std::sscanf(version, "%u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]);
        sim::FileVersion fileVersion;
        fileVersion.productVersionMS = parts[0] << 16 | parts[1];
        fileVersion.productVersionLS = parts[2] << 16 | parts[3];
        pc.files[pc.systemDirectory + u"\\" + name] = sim::File{.version = fileVersion};
    }
    return pc;
}

class SystemTest : public ::testing::TestWithParam<SystemCase> {};

constexpr uint32_t kNt = 2;
constexpr uint32_t k9x = 1;

// Windows 98 and NT 4.0 get the box without being asked about administrators (the PC's user
// is one); Windows 2000 without the rollup stops a user, not an administrator; the language
// comes from the user's interface language from Windows 2000 on, from the system's before.
INSTANTIATE_TEST_SUITE_P(
    Cases, SystemTest,
    ::testing::Values(
        SystemCase{"Windows98English",
                   k9x,
                   4,
                   10,
                   true,
                   false,
                   0x0411,
                   0x0409,
                   {"VORTA   Major[4] Minor[10]", "VORTA wLangID[0x409]", "VORTA LANG_ENGLISH",
                    "VORTA Admin? [0]", "VORTA Non support OS"},
                   TEXT_UNSUPPORTED_OS_ENGLISH,
                   u""},
        SystemCase{"Windows98Japanese",
                   k9x,
                   4,
                   10,
                   true,
                   false,
                   0x0409,
                   0x0411,
                   {"VORTA wLangID[0x411]", "VORTA LANG_JAPANESE", "VORTA Admin? [0]",
                    "VORTA Non support OS"},
                   TEXT_UNSUPPORTED_OS_JAPANESE,
                   u""},
        SystemCase{"WindowsNt4",
                   kNt,
                   4,
                   0,
                   true,
                   false,
                   std::nullopt,
                   0x0407,
                   {"VORTA   Major[4] Minor[0]", "VORTA wLangID[0x407]", "VORTA LANG_????????",
                    "VORTA Admin? [0]", "VORTA Non support OS"},
                   TEXT_UNSUPPORTED_OS_ENGLISH,
                   u""},
        SystemCase{"Windows2000NoRollupUser",
                   kNt,
                   5,
                   0,
                   false,
                   false,
                   0x0409,
                   0x0409,
                   {"VORTA Windows2000 or more", "VORTA Admin? [0]", "VORTA Not W2kSP4 RU1",
                    "VORTA Non support OS Not SP4RU1"},
                   TEXT_NO_ROLLUP_ENGLISH,
                   u""},
        SystemCase{
            "Windows2000NoRollupUserJapanese",
            kNt,
            5,
            0,
            false,
            false,
            0x0411,
            0x0409,
            {"VORTA LANG_JAPANESE", "VORTA Not W2kSP4 RU1", "VORTA Non support OS Not SP4RU1"},
            TEXT_NO_ROLLUP_JAPANESE,
            u""},
        SystemCase{"Windows2000NoRollupAdministrator",
                   kNt,
                   5,
                   0,
                   true,
                   false,
                   0x0409,
                   0x0409,
                   {"VORTA Windows2000 or more", "VORTA Admin? [1]", "VORTA ShellExecute()..."},
                   nullptr,
                   u"english"},
        SystemCase{"Windows2000RollupUser",
                   kNt,
                   5,
                   0,
                   false,
                   true,
                   0x0409,
                   0x0409,
                   {"VORTA Admin? [0]", "VORTA ShellExecute()..."},
                   nullptr,
                   u"english"},
        SystemCase{"XpGerman",
                   kNt,
                   5,
                   1,
                   true,
                   true,
                   0x0407,
                   0x0411,
                   {"VORTA wLangID[0x407]", "VORTA LANG_????????"},
                   nullptr,
                   u"english"},
        SystemCase{"XpJapaneseJapan",
                   kNt,
                   5,
                   1,
                   true,
                   true,
                   0x0411,
                   0x0409,
                   {"VORTA wLangID[0x411]", "VORTA LANG_JAPANESE"},
                   nullptr,
                   u"japanese"},
        SystemCase{"XpEnglishUnitedKingdom",
                   kNt,
                   5,
                   1,
                   true,
                   true,
                   0x0809,
                   0x0411,
                   {"VORTA wLangID[0x809]", "VORTA LANG_ENGLISH"},
                   nullptr,
                   u"english"},
        // Windows 2000 and later have the call; a kernel32 without it keeps the default 9,
        // not the system's language.
        SystemCase{"XpWithoutUiLanguageCall",
                   kNt,
                   5,
                   1,
                   true,
                   true,
                   std::nullopt,
                   0x0411,
                   {"VORTA wLangID[0x9]", "VORTA LANG_ENGLISH"},
                   nullptr,
                   u"english"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(SystemTest, ShowsItsMessageOrGoesOn) {
    const SystemCase& c = GetParam();
    sim::Scenario scenario = PcFor(c);
    LauncherRun run(scenario);
    std::vector<std::string> trace = run.Trace();
    auto next = trace.begin();
    for (const std::string& line : c.trace) {
        next = std::find(next, trace.end(), line);
        ASSERT_NE(next, trace.end()) << "missing or out of order: " << line;
    }
    EXPECT_EQ(trace.back(), "VORTA -----------------  END  ----------------");
    if (c.message != nullptr) {
        ASSERT_EQ(run.pc().messageBoxes().size(), 1u);
        const sim::MessageBoxShown& box = run.pc().messageBoxes()[0];
        EXPECT_EQ(box.text, Text(c.message));
        EXPECT_EQ(box.caption, u"Corvane V1.00");
        EXPECT_EQ(box.type, 0x30u);
        EXPECT_EQ(run.Private(), nullptr) << "nothing is unpacked";
        EXPECT_EQ(run.RunOnceValue(), std::nullopt);
        EXPECT_TRUE(run.pc().programStarts().empty());
        return;
    }
    EXPECT_TRUE(run.pc().messageBoxes().empty());
    ASSERT_NE(run.Private(u"Language.ini"), nullptr);
    int id = c.languageFile == u"japanese" ? IDR_PAYLOAD_LANGUAGE_JAPANESE
                                           : IDR_PAYLOAD_LANGUAGE_ENGLISH;
    EXPECT_EQ(run.Private(u"Language.ini")->bytes, scenario.resources.at({id, RT_PAYLOAD}));
    EXPECT_EQ(run.pc().programStarts().size(), 1u);
}

// Only the primary language counts: every sublanguage of Japanese is Japanese.
TEST(LanguageTableTest, ChoosesByThePrimaryLanguage) {
    EXPECT_STREQ(LanguageRowFor(0x0411).logText, "VORTA LANG_JAPANESE");
    EXPECT_EQ(LanguageRowFor(0x0411).languageFile, IDR_PAYLOAD_LANGUAGE_JAPANESE);
    EXPECT_EQ(LanguageRowFor(0x0411).unsupportedMessage, IDS_UNSUPPORTED_OS_JAPANESE);
    EXPECT_EQ(LanguageRowFor(0x0411).rollupMessage, IDS_NO_ROLLUP_JAPANESE);
    EXPECT_STREQ(LanguageRowFor(0x0C09).logText, "VORTA LANG_ENGLISH");
    EXPECT_STREQ(LanguageRowFor(0x0412).logText, "VORTA LANG_????????");  // Korean
    EXPECT_EQ(LanguageRowFor(0x0412).languageFile, IDR_PAYLOAD_LANGUAGE_ENGLISH);
}

// The Japanese box reads right on a PC whose ANSI code page has no Japanese: the text goes
// from the string table to the box in UTF-16.
TEST(MessageTextTest, JapaneseReadsRightUnderAWesternCodePage) {
    sim::Scenario pc = LauncherPc();
    pc.platformId = 1;
    pc.majorVersion = 4;
    pc.systemLanguage = 0x0411;
    pc.ansiCodePage = 1252;
    LauncherRun run(pc);
    ASSERT_EQ(run.pc().messageBoxes().size(), 1u);
    EXPECT_EQ(run.pc().messageBoxes()[0].text, Text(TEXT_UNSUPPORTED_OS_JAPANESE));
}

struct InstanceCase {
    const char* name;
    bool elevated;
    const char* line;
};

class OtherInstanceTest : public ::testing::TestWithParam<InstanceCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, OtherInstanceTest,
    ::testing::Values(InstanceCase{"SameUser", false, "VORTA \"TAVIR_Corvane_Mutex\" exists."},
                      InstanceCase{"Elevated", true, "VORTA Error ERROR_ACCESS_DENIED [5]"}),
    [](const auto& info) { return std::string(info.param.name); });

// A launcher started while another launcher or VORTAU runs ends without a word and leaves the
// PC as it was, whether it may open the other's mutex or not.
TEST_P(OtherInstanceTest, EndsSilently) {
    sim::Scenario pc = LauncherPc();
    pc.otherInstanceHoldsMutexUntil = UINT32_MAX;
    pc.otherInstanceElevated = GetParam().elevated;
    LauncherRun run(pc);
    EXPECT_EQ(run.Trace(),
              (std::vector<std::string>{"VORTA ----------------  START  ---------------",
                                        "VORTA Multiple start Check", GetParam().line,
                                        "VORTA -----------------  END  ----------------"}));
    EXPECT_TRUE(run.pc().messageBoxes().empty());
    EXPECT_EQ(run.Private(), nullptr);
    EXPECT_EQ(run.RunOnceValue(), std::nullopt);
    EXPECT_TRUE(run.pc().programStarts().empty());
    EXPECT_EQ(run.pc().CountObjects<sim::NamedMutex>(), 0u) << "no handle stays open";
}

// COMCTL32 is no Known DLL: a copy in the download folder beside VORTA must not be loaded.
TEST(CommonControlsTest, ComeFromTheSystemDirectoryWhateverLiesBesideTheLauncher) {
    sim::Scenario pc = LauncherPc();
    pc.files[u"C:\\Downloads\\comctl32.dll"] = sim::File{.bytes = "MZ planted"};
    LauncherRun run(pc);
    EXPECT_EQ(run.pc().commonControls(), std::vector<uint32_t>{0xFF});
    EXPECT_THAT(run.pc().libraryLoads(), Contains(u"C:\\WINDOWS\\system32\\comctl32.dll"));
    EXPECT_THAT(run.pc().libraryLoads(), Not(Contains(u"C:\\Downloads\\comctl32.dll")));
}

}  // namespace
}  // namespace corvane::testing
