// Every scenario in scenarios/ runs VORTAU's start-up, or the launcher's for those that start
// at VORTA, and shows what its file expects.

#include <gtest/gtest.h>

#include <filesystem>

#include "tools/scenario/expectation.h"
#include "tools/scenario/pc_fields.h"
#include "tools/scenario/scenario_file.h"
#include "tools/scenario/vortau_run.h"

namespace corvane::tools {
namespace {

std::vector<std::filesystem::path> ScenarioPaths() {
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(CORVANE_SCENARIO_DIR)) {
        if (entry.path().extension() == ".json") {
            paths.push_back(entry.path());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

class ScenarioFileTest : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(ScenarioFileTest, ShowsWhatItExpects) {
    ScenarioFile file = LoadScenarioFile(GetParam());
    RunOutcome outcome =
        file.startsAtLauncher ? RunFromLauncher(file.scenario) : RunVortau(file.scenario);
    EXPECT_EQ(UnmetExpectations(outcome, file.expect), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioFileTest, ::testing::ValuesIn(ScenarioPaths()),
                         [](const auto& info) {
                             std::string name = info.param.stem().string();
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The main job's PC passes all four checks and ends as it began: its adapter on its home
// network, WZC running, the vendor's utility running again with its arguments; only the
// driver's files and the INF copy stay, as the file names them.
TEST(DefaultScenarioTest, PassesAllFourChecksAndPutsThePcBack) {
    ScenarioFile file = DefaultScenario();
    RunOutcome outcome = RunVortau(file.scenario);
    EXPECT_EQ(UnmetExpectations(outcome, file.expect), std::vector<std::string>{});
    EXPECT_EQ(outcome.dialogs, (std::vector<int>{132, 131, 130}));
    EXPECT_GE(outcome.virtualMs, 40000u) << "the 40-second watch";
    const sim::ProcessConfig& utility = file.scenario.processes[0];
    EXPECT_EQ(outcome.finalState.processes,
              (std::vector{std::pair(utility.image, utility.arguments)}));
}

// As a user starts it: VORTA unpacks into the private folder and starts VORTAU there with the
// download folder as its argument; VORTAU passes all four checks, and the private folder and
// its RunOnce entry are all that stay besides the driver's files.
TEST(DefaultScenarioTest, StartsAtTheLauncherAsAUserDoes) {
    ScenarioFile file = DefaultLauncherScenario();
    ASSERT_TRUE(file.startsAtLauncher);
    RunOutcome outcome = RunFromLauncher(file.scenario);
    EXPECT_EQ(UnmetExpectations(outcome, file.expect), std::vector<std::string>{});
    EXPECT_TRUE(outcome.vortauStarted);
    EXPECT_EQ(outcome.folderOption, u"C:\\Downloads");
    EXPECT_EQ(outcome.dialogs, (std::vector<int>{132, 131, 130}));
    EXPECT_EQ(outcome.wlanStatus, 4);
    EXPECT_EQ(outcome.resultFiles.size(), 1u);
}

// A named change covers the fields its pattern matches, case aside; a named change the run
// did not make is reported too, so that a file names only what its run does.
TEST(PcFieldsTest, NamedChangesCoverTheirFieldsAndMustHappen) {
    PcFields before = {{"service WZCSVC", "running"}, {"radio {A} ssid", "\"HomeAP\""}};
    PcFields after = {{"service WZCSVC", "running"},
                      {"radio {A} ssid", "\"PJ\""},
                      {"file C:\\WINDOWS\\INF\\OEM0.INF", "10 bytes"}};
    EXPECT_EQ(UnintendedChanges(before, after, {"file c:\\windows\\inf\\oem*.inf"}),
              std::vector<std::string>{"changed radio {A} ssid: \"PJ\", before \"HomeAP\""});
    EXPECT_EQ(UnintendedChanges(before, after, {"radio {A} *", "file *", "service *"}),
              std::vector<std::string>{"named change did not happen: service *"});
}

TEST(ScenarioParseTest, RejectsWhatItCannotUse) {
    EXPECT_THROW(ParseScenario("{"), std::exception);
    EXPECT_THROW(ParseScenario(R"({"user": {"elevation": "maybe"}})"), std::exception);
    EXPECT_THROW(ParseScenario(R"({"systemFiles": {"Advapi32.dll": "5.0"}})"), std::exception);
    EXPECT_THROW(ParseScenario(R"({"languageFile": "klingon"})"), std::exception);
}

}  // namespace
}  // namespace corvane::tools
