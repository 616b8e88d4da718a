// Check 4 around the switching test: the Windows wireless service, our driver's service and
// the vendor utilities out of the way and back, in their order, whatever the test's outcome.

#include "checker/checks/wlan_setting_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/checks/process_control.h"
#include "checker/halvex_app.h"
#include "tests/host/checker/utility_pc.h"
#include "tests/host/wlan/radio_pc.h"
#include "tools/scenario/pc_fields.h"

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

// The before-and-after comparison every scenario runs catches a restore step left out and names
// what stayed changed: check 4's preparation and switch, with one way back skipped each time.
TEST(CheckWlanSettingTest, ARestoreLeftOutIsNamedByTheFieldsItLeavesChanged) {
    enum class Skipped { Nothing, RestoreWlanSetting, StartWZC, UtilitiesBack };
    struct Case {
        Skipped skipped;
        std::vector<std::string> changed;
    };
    const std::string radio = std::string("changed radio ") + testing::kWirelessName;
    for (const Case& c : std::vector<Case>{
             {Skipped::Nothing, {}},
             {Skipped::RestoreWlanSetting,
              {radio + " authMode: 0, before 4", radio + " encryption: 1, before 4",
               radio + " infrastructureMode: 0, before 1",
               radio + " ssid: \"TestAdHoc\", before "
                       "\"HomeAP\""}},
             {Skipped::StartWZC, {"changed service WZCSVC: stopped, before running"}},
             {Skipped::UtilitiesBack,
              {"changed process C:\\PROGRAM FILES\\VENDOR\\WN511T.EXE: none, before running "
               "with \"/tray\""}},
         }) {
        SCOPED_TRACE(static_cast<int>(c.skipped));
        sim::Scenario pc = Pc();
        pc.network.adapters[0].radio->authMode = 4;
        pc.network.adapters[0].radio->encryption = 4;
        tools::SimSession session(pc);
        tools::PcFields before = tools::FieldsOf(session.pc());
        CHalvexApp app;
        CProjectorManager& m = app.m_manager;
        m.EnumerateAdapters();
        m.SelectAdapter(0);
        m.StopWZC(1);
        m.StartNDISPROT();
        int changed = 0;
        ProcessControl(&changed, nullptr, app.m_utilityControl, kProcessControlEnter, nullptr);
        m.SaveWlanSetting();
        m.SetESSID("TestAdHoc");
        if (c.skipped != Skipped::RestoreWlanSetting) {
            m.RestoreWlanSetting();
        }
        if (c.skipped != Skipped::StartWZC) {
            m.StartWZC();
        }
        m.StopNDISPROT();
        if (c.skipped != Skipped::UtilitiesBack) {
            int wait = 0;
            uint8_t restartAdapter = 1;
            ProcessControl(nullptr, &wait, app.m_utilityControl, kProcessControlLeave,
                           &restartAdapter);
        }
        EXPECT_EQ(tools::UnintendedChanges(before, tools::FieldsOf(session.pc()), {}), c.changed);
    }
}

}  // namespace
}  // namespace corvane
