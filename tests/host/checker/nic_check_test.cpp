// Check 3 on the simulated PC: which adapter the switching check will use, the selection
// dialog when there are several, and the failures.

#include "checker/checks/nic_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/halvex_app.h"
#include "platform/kernel.h"
#include "platform/thread.h"
#include "tests/host/checker/sim_pc.h"
#include "tests/host/netconfig/network_pc.h"
#include "tests/host/wlan/traced.h"

namespace corvane {
namespace {

using testing::Adapter;
using Kind = sim::UserAction::Kind;

constexpr int kSelection = 129;
constexpr uint32_t kWireless = 9;  // NdisPhysicalMediumNative802_11

sim::AdapterConfig Named(int n, std::string description, uint32_t medium) {
    return Adapter("{0000000" + std::to_string(n) + "-0000-0000-0000-000000000000}",
                   std::move(description), medium);
}

struct CheckRun {
    explicit CheckRun(sim::Scenario pc) : session(std::move(pc)) {
        app.m_messages.LoadLocalizedString();
    }
    bool Check() { return CheckNicAdapter(app, nullptr); }
    const sim::DialogState* Selection() {
        for (const sim::DialogState& dialog : session.pc().dialogs().closed()) {
            if (dialog.templateId == kSelection) {
                return &dialog;
            }
        }
        return nullptr;
    }
    tools::SimSession session;
    CHalvexApp app;
};

sim::Scenario Pc(std::vector<sim::AdapterConfig> adapters,
                 std::vector<sim::UserAction> actions = {}) {
    sim::Scenario pc = testing::DefaultPc();
    pc.network.adapters = std::move(adapters);
    pc.actions = std::move(actions);
    return pc;
}

TEST(CheckNicAdapterTest, OneWirelessAdapterIsTakenByItsPlaceInTheWholeList) {
    CheckRun run(Pc({Named(1, "Wired One", 0), Named(2, "Wired Two", 0),
                     Named(3, "Wireless LAN Card", kWireless)}));
    EXPECT_TRUE(run.Check());
    EXPECT_EQ(run.app.m_nAdapterStatus, 1);
    EXPECT_EQ(run.app.m_nSelectedAdapter, 2);
    EXPECT_EQ(run.app.m_manager.m_nSelectedIndex, 2);
    EXPECT_FALSE(run.app.m_bPrecheckFailed);
    EXPECT_EQ(run.Selection(), nullptr);
    EXPECT_TRUE(testing::Traced(run.session,
                                "VORTAU CheckNicAdapter Selected Adapter:Wireless LAN Card\r\n"));
}

TEST(CheckNicAdapterTest, WithoutAWirelessAdapterTheCheckFails) {
    for (bool anyAdapter : {false, true}) {
        SCOPED_TRACE(anyAdapter);
        CheckRun run(
            Pc(anyAdapter ? std::vector{Named(1, "Wired", 0)} : std::vector<sim::AdapterConfig>{}));
        EXPECT_FALSE(run.Check());
        EXPECT_EQ(run.app.m_nAdapterStatus, 0);
        EXPECT_TRUE(run.app.m_bPrecheckFailed);
        EXPECT_TRUE(testing::Traced(run.session, "VORTAU CheckNicAdapter WlanNIC Nothing!!\r\n"));
    }
}

TEST(CheckNicAdapterTest, AFailedEarlierCheckLeavesEverythingAlone) {
    CheckRun run(Pc({Named(1, "Wireless LAN Card", kWireless)}));
    run.app.m_bPrecheckFailed = true;
    EXPECT_FALSE(run.Check());
    EXPECT_EQ(run.app.m_nAdapterStatus, 2);
    EXPECT_TRUE(run.app.m_manager.m_adapterList.empty()) << "not even enumerated";
    EXPECT_FALSE(testing::Traced(run.session, "VORTAU CheckNicAdapter"));
}

TEST(CheckNicAdapterTest, SeveralAreOfferedInTheirOrderAndOnlyOkLeaves) {
    struct Case {
        const char* what;
        std::vector<sim::UserAction> actions;
        std::vector<std::string> descriptions;
        int selected;  // in the whole list
    };
    for (const Case& c : std::vector<Case>{
             {"OK at once: the first", {{kSelection, Kind::Button, 1}}, {"Zeta", "Alpha"}, 1},
             {"the second clicked",
              {{kSelection, Kind::Select, 0, 10, 1}, {kSelection, Kind::Button, 1, 20}},
              {"Zeta", "Alpha"},
              2},
             {"Esc and Alt+F4 first",
              {{kSelection, Kind::Escape, 0, 10},
               {kSelection, Kind::AltF4, 0, 20},
               {kSelection, Kind::Button, 2, 30},
               {kSelection, Kind::Button, 1, 40}},
              {"Zeta", "Alpha"},
              1},
             {"the second of two alike: the first alike",
              {{kSelection, Kind::Select, 0, 10, 1}, {kSelection, Kind::Button, 1, 20}},
              {"Same Card", "Same Card"},
              1},
         }) {
        SCOPED_TRACE(c.what);
        CheckRun run(Pc({Named(1, "Wired", 0), Named(2, c.descriptions[0], kWireless),
                         Named(3, c.descriptions[1], kWireless)},
                        c.actions));
        EXPECT_TRUE(run.Check());
        EXPECT_EQ(run.app.m_nSelectedAdapter, c.selected);
        EXPECT_EQ(run.app.m_nAdapterStatus, 1);
        const sim::DialogState* dialog = run.Selection();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->result, platform::kIdOk);
        const sim::ControlState& list = dialog->controls.at(1001);
        ASSERT_EQ(list.items.size(), 2u);
        EXPECT_EQ(list.items[0], std::pair(testing::U(c.descriptions[0]), intptr_t{0}));
        EXPECT_EQ(list.items[1], std::pair(testing::U(c.descriptions[1]), intptr_t{1}));
        EXPECT_EQ(dialog->title, u"Switch LAN");
        EXPECT_EQ(dialog->controls.at(1002).text,
                  u"Select the Wireless LAN adapter you want to use.");
    }
}

struct Unplug {
    sim::Pc* pc;
    std::string name;
};

uint32_t PLATFORM_API UnplugLater(void* parameter) {
    auto* unplug = static_cast<Unplug*>(parameter);
    platform::Sleep(100);
    unplug->pc->network().Unplug(unplug->name);
    return 0;
}

TEST(CheckNicAdapterTest, TheChosenAdapterPulledOutWhileTheDialogIsOpenFailsTheCheck) {
    CheckRun run(Pc({Named(1, "Card A", kWireless), Named(2, "Card B", kWireless)},
                    {{kSelection, Kind::Button, 1, 200}}));
    Unplug unplug{&run.session.pc(), Named(1, "", 0).name};
    platform::Handle thread = platform::CreateThread(&UnplugLater, &unplug);
    EXPECT_FALSE(run.Check());
    platform::CloseHandle(thread);
    EXPECT_EQ(run.app.m_nAdapterStatus, 0);
    EXPECT_TRUE(run.app.m_bPrecheckFailed);
    EXPECT_TRUE(testing::Traced(run.session, "VORTAU CheckNicAdapter Select Nic NG!!\r\n"));
}

}  // namespace
}  // namespace corvane
