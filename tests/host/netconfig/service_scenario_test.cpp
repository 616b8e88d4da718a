#include <gtest/gtest.h>

#include "netconfig/service_control.h"
#include "platform/sim/pc.h"
#include "tools/scenario/scenario_file.h"

namespace corvane {
namespace {

TEST(ServiceScenarioKeys, DescribeTheServicesThatTheControlActsOn) {
    const char* text = R"({
      "services": [
        {"name": "wzcsvc", "displayName": "Wireless Zero Configuration", "type": "shareProcess",
         "running": true, "stopPendingMs": "forever"},
        {"name": "CorvaneNdisprot", "type": "kernelDriver", "startPendingMs": 1500,
         "startFails": true, "dependants": ["wzcsvc"], "accessDenied": false},
        {"name": "AcSvc", "accessDenied": true}
      ]
    })";
    sim::Scenario scenario = tools::ParseScenario(text).scenario;
    ASSERT_EQ(scenario.services.size(), 3u);
    const sim::ServiceConfig& driver = scenario.services[1];
    EXPECT_EQ(driver.type, 0x01u);
    EXPECT_EQ(driver.displayName, "CorvaneNdisprot");
    EXPECT_EQ(driver.dependants, std::vector<std::string>{"wzcsvc"});
    EXPECT_TRUE(driver.startFails);
    EXPECT_EQ(scenario.services[0].stopPendingMs, sim::kPendingForever);

    sim::Pc& pc = sim::InstallPc(scenario);
    CServiceControl control;
    EXPECT_TRUE(control.IsActive(0x30, "WZCSVC"));
    EXPECT_EQ(control.Stop("wzcsvc", 0), 0);
    EXPECT_EQ(pc.now(), 30000u);
    EXPECT_EQ(control.Start("acsvc", 0), 0);

    EXPECT_THROW(tools::ParseScenario(R"({"services": [{"name": "x", "type": "driver"}]})"),
                 std::runtime_error);
    EXPECT_THROW(tools::ParseScenario(R"({"services": [{"name": "x", "startPendingMs": "long"}]})"),
                 std::runtime_error);
}

}  // namespace
}  // namespace corvane
