// The manager's scan and switch in virtual time, before and from Vista: the found networks,
// the switch with its polls and retries, the vendor-utility rule, cancel, the check of the
// network set, and the manager's lock on every way out.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/kernel.h"
#include "platform/sim/wlan_service.h"
#include "platform/thread.h"
#include "tests/host/wlan/cancel_later.h"
#include "tests/host/wlan/radio_pc.h"
#include "tests/host/wlan/traced.h"
#include "tools/scenario/vortau_run.h"
#include "wlan/projector_manager.h"

namespace corvane {
namespace {

using testing::CancelAt;
using testing::CancelLater;
using testing::kWirelessName;
using testing::Network;
using testing::Traced;

constexpr char kTest[] = "TAVIRSSID_12345678";

sim::RadioNetwork AdHoc(std::string ssid, int32_t rssi, uint8_t last) {
    sim::RadioNetwork network = Network(std::move(ssid), rssi, last);
    network.infrastructureMode = 0;
    return network;
}

sim::Scenario Pc(bool vista, sim::RadioConfig radio, std::string description = "Wireless LAN") {
    sim::Scenario pc = testing::RadioPc(std::move(radio));
    pc.network.adapters[0].description = std::move(description);
    if (vista) {
        pc.majorVersion = 6;
        pc.minorVersion = 0;
        pc.services.push_back({.name = "wlansvc", .running = true});
    }
    return pc;
}

sim::RadioConfig Home(sim::SsidAnswer answer = {}) {
    return {.ssid = "HomeAP",
            .networks = {Network("HomeAP", -45, 1), AdHoc("PJ-Quintrel", -60, 2),
                         Network("Cafe", -70, 3)},
            .answer = answer,
            .profiles = {sim::MakeProfileXml(u"HomeAP", "HomeAP", false, true, false)}};
}

// A manager with the wireless adapter chosen and its setting saved, as the switching test
// has it.
struct Chosen {
    explicit Chosen(sim::Scenario scenario) : session(std::move(scenario)) {
        manager.EnumerateAdapters();
        manager.SelectAdapter(0);
        manager.SaveWlanSetting();
    }
    sim::Pc& pc() { return session.pc(); }
    sim::RadioSettings Radio() {
        return pc().network().FindRadio(kWirelessName)->Settings(pc().now());
    }
    std::vector<std::pair<std::string, int32_t>> Found() const {
        std::vector<std::pair<std::string, int32_t>> found;
        for (const auto& info : manager.m_essidList) {
            found.emplace_back(info->ssid, info->rssi);
        }
        return found;
    }
    tools::SimSession session;
    CProjectorManager manager;
};

TEST(EnumESSIDTest, BeforeVistaEveryMergedNetworkIsListedStrongestFirst) {
    Chosen chosen(Pc(false, Home()));
    uint64_t start = chosen.pc().now();
    ASSERT_EQ(chosen.manager.EnumESSID(), 1);
    EXPECT_EQ(chosen.pc().now() - start, 1500u);
    EXPECT_EQ(chosen.Found(), (std::vector<std::pair<std::string, int32_t>>{
                                  {"HomeAP", -45}, {"PJ-Quintrel", -60}, {"Cafe", -70}}));
    EXPECT_EQ(chosen.manager.m_essidList[1]->adHoc, 1);
    EXPECT_TRUE(Traced(chosen.session, "ESSID[PJ-Quintrel] R[-60] I[0]P[0]"));
    EXPECT_TRUE(sim::HeldCriticalSections().empty());
}

TEST(EnumESSIDTest, WithoutTheDriverTheListStaysAndTheFailureIsNamed) {
    sim::Scenario scenario = Pc(false, Home());
    scenario.services.clear();
    Chosen chosen(scenario);
    chosen.manager.m_essidList.push_back(std::make_unique<ESSIDInfo>(ESSIDInfo{"Old", -1, 0, 0}));
    EXPECT_EQ(chosen.manager.EnumESSID(), 0);
    EXPECT_EQ(chosen.manager.m_nLastError, CProjectorManager::kEnumAdapterNotOpened);
    EXPECT_TRUE(Traced(chosen.session, "NDIS Open Error!!"));
    ASSERT_EQ(chosen.manager.m_essidList.size(), 1u);
    EXPECT_STREQ(chosen.manager.m_essidList[0]->ssid, "Old");
    EXPECT_TRUE(sim::HeldCriticalSections().empty());
}

TEST(EnumESSIDTest, FromVistaTheSignalQualityGivesTheRssiAndEmptyOrRepeatedNamesAreSkipped) {
    sim::RadioNetwork best = Network("Best", -30, 1);
    best.signalQuality = 100;
    sim::RadioNetwork near = Network("Near", -30, 2);
    near.signalQuality = 99;
    sim::RadioNetwork far = Network("Far", -30, 3);
    far.signalQuality = 0;
    sim::RadioNetwork twin = AdHoc("Best", -30, 4);  // the same name in ad-hoc mode
    sim::RadioNetwork nameless = Network("", -30, 5);
    Chosen chosen(Pc(true, {.networks = {best, near, nameless, far, twin}}));
    uint64_t start = chosen.pc().now();
    ASSERT_EQ(chosen.manager.EnumESSID(), 1);
    EXPECT_GE(chosen.pc().now() - start, 2000u);
    EXPECT_EQ(chosen.Found(), (std::vector<std::pair<std::string, int32_t>>{
                                  {"Best", -50}, {"Near", -51}, {"Far", -100}}));
    EXPECT_TRUE(chosen.pc().wlan().clients().empty());
}

TEST(SetESSIDTest, FromVistaANetworkInRangeIsJoinedWithoutAProfileAndAnotherGetsOne) {
    struct Case {
        std::string ssid;
        int registered;
        size_t profiles;
    };
    for (const Case& c : {Case{"PJ-Quintrel", 0, 1}, Case{kTest, 1, 2}}) {
        SCOPED_TRACE(c.ssid);
        Chosen chosen(Pc(true, Home()));
        int registered = 0;
        ASSERT_EQ(chosen.manager.SetESSID(c.ssid, &registered), 1);
        EXPECT_EQ(registered, c.registered);
        EXPECT_EQ(chosen.pc().wlan().profiles(kWirelessName).size(), c.profiles);
        EXPECT_EQ(chosen.Radio().ssid, c.ssid);
        EXPECT_EQ(chosen.Radio().infrastructureMode, 0u);
        EXPECT_EQ(chosen.manager.m_strSetSSID, c.ssid);
        EXPECT_EQ(chosen.manager.m_nSetMode, 1);
        EXPECT_EQ(chosen.manager.CheckESSID(), 0);
        EXPECT_TRUE(chosen.pc().wlan().clients().empty());
        EXPECT_TRUE(sim::HeldCriticalSections().empty());
    }
}

TEST(SetESSIDTest, BeforeVistaTheAdapterIsSetOpenAndAdHocAndJoinsAtTheFirstPoll) {
    Chosen chosen(Pc(false, Home({sim::SsidAnswer::Kind::Join, 200})));
    uint64_t start = chosen.pc().now();
    ASSERT_EQ(chosen.manager.SetESSID(kTest), 1);
    EXPECT_EQ(chosen.pc().now() - start, 300u);
    EXPECT_EQ(chosen.Radio(), (sim::RadioSettings{kTest, 0, 0, 1}));
    EXPECT_EQ(chosen.manager.CheckESSID(), 0);
    EXPECT_TRUE(Traced(chosen.session, "CheckESSID() Equal"));
    EXPECT_EQ(chosen.pc().CountObjects<sim::ProtocolOpen>(), 0u);
    // Put back as it was.
    ASSERT_EQ(chosen.manager.RestoreWlanSetting(), 1);
    EXPECT_EQ(chosen.Radio(), (sim::RadioSettings{"HomeAP", 1, 0, 1}));
}

TEST(SetESSIDTest, AnAdapterNeverSeenOnTheNetworkCostsThreeAttemptsOfFourteenPolls) {
    struct Case {
        const char* what;
        bool vista;
        sim::SsidAnswer answer;
        int check;
    };
    for (const Case& c :
         {Case{"never, before Vista", false, {sim::SsidAnswer::Kind::Never}, 2},
          Case{"in infrastructure mode", false, {sim::SsidAnswer::Kind::Infrastructure, 0}, 1},
          Case{"never, from Vista", true, {sim::SsidAnswer::Kind::Never}, 1}}) {
        SCOPED_TRACE(c.what);
        Chosen chosen(Pc(c.vista, Home(c.answer)));
        uint64_t start = chosen.pc().now();
        EXPECT_EQ(chosen.manager.SetESSID(kTest), 1);
        EXPECT_EQ(chosen.pc().now() - start, 3u * 14 * 300);
        EXPECT_EQ(chosen.manager.m_nLastError, CProjectorManager::kSetSsidFailed);
        EXPECT_EQ(chosen.manager.m_strSetSSID, kTest);
        EXPECT_EQ(chosen.manager.CheckESSID(), c.check);
        EXPECT_TRUE(sim::HeldCriticalSections().empty());
    }
}

TEST(SetESSIDTest, BackOnItsOldNetworkACiscoOrAironetAdapterEndsAtOnce) {
    struct Case {
        std::string description;
        int result;
        uint64_t ms;
    };
    for (const Case& c :
         {Case{"Cisco Aironet 350 Series", 0, 300}, Case{"Aironet", 0, 300},
          Case{"aironet wireless", 1, 3 * 14 * 300}, Case{"Intel PRO/Wireless", 1, 3 * 14 * 300}}) {
        SCOPED_TRACE(c.description);
        Chosen chosen(Pc(false, Home({sim::SsidAnswer::Kind::FallBack, 100}), c.description));
        uint64_t start = chosen.pc().now();
        EXPECT_EQ(chosen.manager.SetESSID(kTest), c.result);
        EXPECT_EQ(chosen.pc().now() - start, c.ms);
        EXPECT_TRUE(Traced(chosen.session, "Utility conflict? Check nic description."));
        EXPECT_EQ(chosen.manager.m_strSetSSID, c.result ? kTest : "");
        EXPECT_EQ(chosen.manager.m_nSetMode, c.result ? 1 : -1);
        EXPECT_TRUE(sim::HeldCriticalSections().empty());
    }
}

TEST(SetESSIDTest, ACancelIsSeenAtTheNextPoll) {
    for (bool vista : {false, true}) {
        SCOPED_TRACE(vista);
        Chosen chosen(Pc(vista, Home({sim::SsidAnswer::Kind::Never})));
        CancelAt cancel{&chosen.manager, 1000};
        uint64_t start = chosen.pc().now();
        platform::Handle thread = platform::CreateThread(&CancelLater, &cancel);
        EXPECT_EQ(chosen.manager.SetESSID(kTest), 0);
        platform::CloseHandle(thread);
        EXPECT_LE(chosen.pc().now() - start, 1000u + 300u);
        EXPECT_EQ(chosen.manager.m_strSetSSID, "");
        EXPECT_EQ(chosen.manager.m_nSetMode, -1);
        EXPECT_TRUE(sim::HeldCriticalSections().empty());
    }
}

TEST(SetESSIDTest, TheManagersLockComesBeforeTheBackEndsAndNeverAfter) {
    Chosen chosen(Pc(false, Home()));
    ASSERT_EQ(chosen.manager.EnumESSID(), 1);
    ASSERT_EQ(chosen.manager.SetESSID(kTest), 1);
    std::set<sim::Pc::LockOrder> orders = chosen.pc().LockOrders();
    const void* manager = &chosen.manager.m_lock;
    const void* backEnd = &chosen.manager.m_driverBackEnd.Lock();
    EXPECT_TRUE(orders.count({manager, backEnd}));
    EXPECT_FALSE(orders.count({backEnd, manager}));
}

TEST(EnumESSIDTest, AThirtyTwoOctetNameWithoutTerminatorIsKeptWhole) {
    const std::string full(32, 'Z');
    Chosen chosen(Pc(true, {.networks = {AdHoc(full, -40, 1)}}));
    ASSERT_EQ(chosen.manager.EnumESSID(), 1);
    ASSERT_EQ(chosen.manager.m_essidList.size(), 1u);
    EXPECT_EQ(std::string(chosen.manager.m_essidList[0]->ssid), full);
    ASSERT_EQ(chosen.manager.SetESSID(full), 1);
    EXPECT_EQ(chosen.manager.CheckESSID(), 0);
}

TEST(ManagerAdapterGoneTest, AnAdapterPulledOutFailsTheRestoreWithItsCodeAndNothingWorse) {
    for (bool vista : {false, true}) {
        SCOPED_TRACE(vista);
        Chosen chosen(Pc(vista, Home()));
        CProjectorManager& manager = chosen.manager;
        manager.m_strAutoIpAdapterName = kWirelessName;  // as a switch leaves it
        chosen.pc().network().Unplug(kWirelessName);
        EXPECT_EQ(manager.SetFixedIP(1), 0);
        EXPECT_EQ(manager.m_nLastError, CProjectorManager::kAdapterGone);
        EXPECT_EQ(manager.RestoreWlanSetting(), 0);
        EXPECT_EQ(manager.m_nLastError, CProjectorManager::kSelectedAdapterCheckFailed);
        EXPECT_EQ(manager.EnumESSID(), 0);
        EXPECT_EQ(manager.CheckESSID(), 0);  // nothing was set
        EXPECT_TRUE(sim::HeldCriticalSections().empty());
    }
}

TEST(CheckESSIDTest, NothingSetIsNoFailure) {
    Chosen chosen(Pc(false, Home()));
    EXPECT_EQ(chosen.manager.CheckESSID(), 0);
    EXPECT_TRUE(Traced(chosen.session, "CheckESSID() Setting Info Empty"));
}

}  // namespace
}  // namespace corvane
