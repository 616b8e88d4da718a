// Every scenario in scenarios/ runs VORTAU's start-up and shows what its file expects.

#include <gtest/gtest.h>

#include <filesystem>

#include "tools/scenario/expectation.h"
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
    RunOutcome outcome = RunVortau(file.scenario);
    EXPECT_EQ(UnmetExpectations(outcome, file.expect), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioFileTest, ::testing::ValuesIn(ScenarioPaths()),
                         [](const auto& info) {
                             std::string name = info.param.stem().string();
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The main job's PC passes all four checks and ends as it began: its adapter on its home
// network, WZC running, the vendor's utility running again with its arguments.
TEST(DefaultScenarioTest, PassesAllFourChecksAndPutsThePcBack) {
    sim::Scenario pc = DefaultScenario().scenario;
    RunOutcome outcome = RunVortau(pc);
    EXPECT_EQ(outcome.osStatus, 2);
    EXPECT_EQ(outcome.adminStatus, 1);
    EXPECT_EQ(outcome.adapterStatus, 1);
    EXPECT_EQ(outcome.wlanStatus, 4);
    EXPECT_EQ(outcome.dialogs, (std::vector<int>{132, 131, 130}));
    EXPECT_GE(outcome.virtualMs, 40000u) << "the 40-second watch";
    const FinalState& after = outcome.finalState;
    for (const auto& [adapter, radio] : after.radios) {
        EXPECT_EQ(radio, after.radiosAtStart.at(adapter)) << adapter;
    }
    EXPECT_EQ(after.services.at("WZCSVC"), kServiceRunning);
    EXPECT_EQ(after.services.count("CORVANENDISPROT"), 0u);
    ASSERT_EQ(after.processes.size(), 1u);
    EXPECT_EQ(after.processes[0], std::pair(pc.processes[0].image, pc.processes[0].arguments));
}

TEST(ScenarioParseTest, RejectsWhatItCannotUse) {
    EXPECT_THROW(ParseScenario("{"), std::exception);
    EXPECT_THROW(ParseScenario(R"({"user": {"elevation": "maybe"}})"), std::exception);
    EXPECT_THROW(ParseScenario(R"({"systemFiles": {"Advapi32.dll": "5.0"}})"), std::exception);
    EXPECT_THROW(ParseScenario(R"({"languageFile": "klingon"})"), std::exception);
}

}  // namespace
}  // namespace corvane::tools
