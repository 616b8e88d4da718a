// Check 4 around the switching test: the Windows wireless service, our driver's service and
// the vendor utilities out of the way and back, in their order, whatever the test's outcome.

#include "checker/checks/wlan_setting_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/halvex_app.h"
#include "tests/host/checker/utility_pc.h"
#include "tests/host/wlan/radio_pc.h"

namespace corvane {
namespace {

constexpr char16_t kUtility[] = u"C:\\Program Files\\Vendor\\WN511T.exe";

// An XP PC with its wireless adapter, WZC running, our driver installed and stopped, and a
// vendor utility started at logon with arguments.
sim::Scenario Pc(sim::SsidAnswer answer = {}) {
    sim::Scenario pc = testing::RadioPc(
        {.ssid = "HomeAP", .networks = {testing::Network("HomeAP", -45, 1)}, .answer = answer},
        false);
    pc.services.push_back({.name = "wzcsvc", .running = true});
    testing::Install(pc, kUtility, u"Netgear Client Utility");
    pc.processes.push_back(testing::Running(kUtility));
    pc.processes.back().arguments = u"/tray";
    testing::RunValue(pc, testing::kUserRoot, u"Netgear",
                      std::u16string(u"\"") + kUtility + u"\" /tray");
    return pc;
}

std::vector<std::string> CheckSteps(const tools::SimSession& session) {
    std::vector<std::string> steps;
    for (const std::string& text : testing::LogTexts(session)) {
        if (text.starts_with("VORTAU CheckWlanSetting ")) {
            steps.push_back(text.substr(sizeof "VORTAU CheckWlanSetting " - 1));
        }
    }
    return steps;
}

TEST(CheckWlanSettingTest, EverythingTakenAwayComesBackInItsOrderWhateverTheOutcome) {
    using Kind = sim::SsidAnswer::Kind;
    for (auto [answer, status] :
         {std::pair{sim::SsidAnswer{}, 4},
          std::pair{sim::SsidAnswer{.kind = Kind::Drop, .holdMs = 8000}, 2}}) {
        SCOPED_TRACE(status);
        tools::SimSession session(Pc(answer));
        CHalvexApp app;
        app.m_manager.EnumerateAdapters();
        app.m_manager.SelectAdapter(0);
        CheckWlanSetting(app);
        EXPECT_EQ(app.m_nWlanStatus, status);
        EXPECT_EQ(
            CheckSteps(session),
            (std::vector<std::string>{"StopWZC()\n", "StartWLANSVC()\n", "StartNDISPROT()\n",
                                      "ProcessControl()\n", "StopWZC()\n", "Check Wlan Setting\n",
                                      "StartWZC()\n", "StopWLANSVC()\n", "ProcessControl()\n",
                                      "StopNDISPROT()\n", "NetworkAdapterEnableDisable()\n"}));
        EXPECT_EQ(session.pc().services().requests(),
                  (std::vector<std::string>{"stop wzcsvc", "start CorvaneNdisprot", "start wzcsvc",
                                            "stop CorvaneNdisprot"}));
        EXPECT_EQ(testing::ArgumentsOfRunning(session.pc(), kUtility),
                  std::vector<std::u16string>{u"/tray"});
        EXPECT_EQ(app.m_utilityControl.utilities[2].closed, 0);
    }
}

}  // namespace
}  // namespace corvane
