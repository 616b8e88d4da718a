// The driver back end on the simulated PC: the three-pass scan and its merged, sorted table,
// the adapter's settings through the driver, its failures, its lock and its handles.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/scoped_lock.h"
#include "tests/host/wlan/radio_pc.h"
#include "tests/host/wlan/scan_rows.h"
#include "wlan/wireless_lan.h"
#include "wlan/wlan_ctrl_sv.h"

namespace corvane {
namespace {

using testing::Network;
using testing::RadioPc;
using testing::Row;
using testing::Rows;

class WirelessLanTest : public ::testing::Test {
  protected:
    sim::Pc& Install(sim::Scenario scenario) {
        sim::Pc& pc = sim::InstallPc(std::move(scenario));
        wlan_.ClearNetworks();
        EXPECT_EQ(wlan_.SelectAdapterByMAC(testing::kWirelessMac), 1);
        return pc;
    }
    int Enum() {
        ScopedLock hold(wlan_.Lock());
        return wlan_.EnumNetworks();
    }
    void TearDown() override { wlan_.ClearNetworks(); }

    CWirelessLAN wlan_;
};

TEST_F(WirelessLanTest, ThreeScansMergeBySsidKeepingTheStrongestSignalAndTheFirstMac) {
    sim::RadioNetwork twinA = Network("Office", -60, 0xA1);
    sim::RadioNetwork twinB = Network("Office", -45, 0xB2);
    twinB.privacy = 1;
    twinB.infrastructureMode = 0;
    sim::RadioNetwork late = Network("Cafe", -80, 0xC3);
    late.seenInScans = {3};
    sim::Pc& pc = Install(RadioPc({.networks = {twinA, twinB, late}}));

    EXPECT_EQ(Enum(), 2);
    EXPECT_EQ(pc.now(), 1500u);
    EXPECT_EQ(pc.network().FindRadio(testing::kWirelessName)->scans(), 3);
    // The first entry's mode, privacy and MAC; the stronger signal.
    EXPECT_EQ(Rows(wlan_, 2),
              (std::vector<Row>{{"Office", -45, 1, 0, 0xA1}, {"Cafe", -80, 1, 0, 0xC3}}));
}

TEST_F(WirelessLanTest, RowsComeOutStrongestFirstInTheExchangeSortsOrder) {
    Install(RadioPc({.networks = {Network("P", -40), Network("Q", -50), Network("R", -40),
                                  Network("S", -30)}}));
    ASSERT_EQ(Enum(), 4);
    std::vector<std::string> order;
    for (const Row& row : Rows(wlan_, 4)) {
        order.push_back(row.ssid);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"S", "R", "P", "Q"}));
}

TEST_F(WirelessLanTest, HiddenNetworksNeverReachTheTableAndAOneCharacterSsidDoes) {
    Install(RadioPc({.networks = {Network(std::string(32, '\0'), -20), Network("X", -70),
                                  Network(std::string("\0\0ABC", 5), -25)}}));
    ASSERT_EQ(Enum(), 1);
    EXPECT_EQ(Rows(wlan_, 1)[0].ssid, "X");
}

TEST_F(WirelessLanTest, ScansThatFailCostTheirWaitAndOnlyAllThreeFailingIsAnError) {
    struct Case {
        uint32_t failedScans;
        int result;
        uint64_t ms;
    };
    for (const Case& c :
         {Case{0, 1, 1500}, Case{2, 1, 2300}, Case{3, CWirelessLAN::kNoScan, 2700}}) {
        SCOPED_TRACE(c.failedScans);
        sim::Pc& pc = Install(RadioPc(
            {.networks = {Network("HomeAP", -40)},
             .failingSets = {{platform::kOid80211BssidListScan, {.times = c.failedScans}}}}));
        EXPECT_EQ(Enum(), c.result);
        EXPECT_EQ(pc.now(), c.ms);
        char ssid[33] = {};
        EXPECT_EQ(wlan_.GetNetworkSSID(0, ssid), c.result > 0 ? 1 : 0);
        EXPECT_EQ(testing::OpenDriverHandles(pc), 0u);
    }
}

TEST_F(WirelessLanTest, WithoutTheDriverEveryAdapterOperationFailsAndTheScanSaysSo) {
    sim::Pc& pc = Install(RadioPc({.ssid = "HomeAP", .networks = {Network("HomeAP", -40)}}, false));
    EXPECT_EQ(Enum(), CWirelessLAN::kAdapterNotOpened);
    EXPECT_EQ(pc.now(), 0u);
    char ssid[33] = "untouched";
    EXPECT_EQ(wlan_.GetCurrentSSIDLocked(ssid), 0);
    EXPECT_EQ(wlan_.SetCurrentSSIDLocked("Other"), 0);
    uint32_t value = 7;
    EXPECT_EQ(wlan_.GetInfraModeLocked(&value), 0);
    EXPECT_EQ(wlan_.GetEncryptionStatus(&value), 0);
    EXPECT_EQ(wlan_.GetAuthMode(&value), 0);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(wlan_.SetInfraModeLocked(0), 0);
    EXPECT_EQ(testing::OpenDriverHandles(pc), 0u);
}

TEST_F(WirelessLanTest, TableAccessorsRefuseIndicesOutsideTheTableAndLeaveTheOutputAlone) {
    Install(RadioPc({.networks = {Network("A", -40), Network("B", -50)}}));
    char ssid[33] = "keep";
    int32_t rssi = 99;
    uint32_t value = 99;
    // An empty table first, then a table of two rows.
    EXPECT_EQ(wlan_.GetNetworkSSID(0, ssid), 0);
    ASSERT_EQ(Enum(), 2);
    for (int index : {-1, 2, 1000}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(wlan_.GetNetworkSSID(index, ssid), 0);
        EXPECT_EQ(wlan_.GetNetworkRSSI(index, &rssi), 0);
        EXPECT_EQ(wlan_.GetNetworkInfraMode(index, &value), 0);
        EXPECT_EQ(wlan_.GetNetworkPrivacy(index, &value), 0);
    }
    EXPECT_EQ(wlan_.GetNetworkRSSI(1, nullptr), 0);
    EXPECT_EQ(std::string(ssid), "keep");
    EXPECT_EQ(rssi, 99);
    EXPECT_EQ(value, 99u);
    // Any back end's destruction empties the one table.
    { CWirelessLAN other; }
    EXPECT_EQ(wlan_.GetNetworkSSID(0, ssid), 0);
}

TEST_F(WirelessLanTest, SettingsReachTheRadioAndReadBack) {
    sim::Pc& pc = Install(RadioPc(
        {.ssid = "HomeAP", .authMode = 4, .encryption = 4, .networks = {Network("HomeAP", -40)}}));
    char ssid[33] = {};
    uint32_t mode = 7;
    uint32_t auth = 7;
    uint32_t encryption = 7;
    ASSERT_EQ(wlan_.GetCurrentSSIDLocked(ssid), 1);
    EXPECT_EQ(std::string(ssid), "HomeAP");
    ASSERT_EQ(wlan_.GetInfraModeLocked(&mode), 1);
    ASSERT_EQ(wlan_.GetAuthMode(&auth), 1);
    ASSERT_EQ(wlan_.GetEncryptionStatus(&encryption), 1);
    EXPECT_EQ(std::vector<uint32_t>({mode, auth, encryption}), std::vector<uint32_t>({1, 4, 4}));

    const uint32_t open = 0;
    const uint32_t noMode = 8;
    EXPECT_EQ(wlan_.SetAuthModeLocked(&noMode), 0);  // the adapter refuses a mode it lacks
    EXPECT_EQ(wlan_.SetAuthModeLocked(nullptr), 0);
    EXPECT_EQ(wlan_.SetInfraModeLocked(0), 1);
    EXPECT_EQ(wlan_.SetAuthModeLocked(&open), 1);
    EXPECT_EQ(wlan_.SetEncryptionStatusLocked(1), 1);
    EXPECT_EQ(wlan_.SetCurrentSSIDLocked("TAVIRSSID_12345678"), 1);
    EXPECT_EQ(pc.network().FindRadio(testing::kWirelessName)->Settings(pc.now()),
              (sim::RadioSettings{"TAVIRSSID_12345678", 0, 0, 1}));
    EXPECT_EQ(testing::OpenDriverHandles(pc), 0u);
}

TEST_F(WirelessLanTest, QueryFailuresWriteTheModeAsZeroButLeaveOtherValuesAlone) {
    Install(RadioPc({.failingQueries = {{platform::kOid80211InfrastructureMode, {}},
                                        {platform::kOid80211EncryptionStatus, {}},
                                        {platform::kOid80211AuthenticationMode, {}}}}));
    uint32_t mode = 7;
    uint32_t encryption = 7;
    uint32_t auth = 7;
    EXPECT_EQ(wlan_.GetInfraModeLocked(&mode), 0);
    EXPECT_EQ(mode, 0u);
    EXPECT_EQ(wlan_.GetEncryptionStatus(&encryption), 0);
    EXPECT_EQ(encryption, 7u);
    EXPECT_EQ(wlan_.GetAuthMode(&auth), 0);
    EXPECT_EQ(auth, 7u);
    EXPECT_EQ(wlan_.GetAuthMode(nullptr), 0);
}

TEST_F(WirelessLanTest, SelectAdapterByMacTakesTheFirstMatchAndKeepsTheNameWhenNoneMatches) {
    sim::Scenario scenario = RadioPc();
    sim::AdapterConfig twin = testing::Adapter("{SECOND}", "Second card", 9);
    twin.hardwareAddress = {0x00, 0x0C, 0x29, 0xAA, 0xBB, 0xCC, 0x99};
    scenario.network.adapters.push_back(twin);
    // An IP Helper name that fills its field to the end without a terminator.
    sim::AdapterConfig longName = testing::Adapter(std::string(300, 'L'), "Odd card", 9);
    longName.hardwareAddress = {0x02, 0x00, 0x00, 0x00, 0x00, 0x01};
    scenario.network.adapters.push_back(longName);
    Install(scenario);
    EXPECT_EQ(wlan_.AdapterName(), testing::kWirelessName);

    const uint8_t unknown[6] = {0x00, 0x0C, 0x29, 0xAA, 0xBB, 0xCD};
    EXPECT_EQ(wlan_.SelectAdapterByMAC(unknown), 0);
    EXPECT_EQ(wlan_.AdapterName(), testing::kWirelessName);

    const uint8_t odd[6] = {0x02, 0x00, 0x00, 0x00, 0x00, 0x01};
    EXPECT_EQ(wlan_.SelectAdapterByMAC(odd), 1);
    EXPECT_EQ(wlan_.AdapterName(), std::string(260, 'L'));
    // No adapter the driver knows by that name.
    EXPECT_EQ(Enum(), CWirelessLAN::kAdapterNotOpened);
}

TEST_F(WirelessLanTest, TheCallersLockComesFirstAndTheBackEndTakesNoLockInsideItsOwn) {
    sim::Pc& pc = Install(RadioPc({.ssid = "HomeAP", .networks = {Network("HomeAP", -40)}}));
    platform::CriticalSection manager;
    platform::InitializeCriticalSection(&manager);
    {
        ScopedLock holdManager(manager);
        char ssid[33] = {};
        uint32_t value = 0;
        wlan_.GetCurrentSSIDLocked(ssid);
        wlan_.GetInfraModeLocked(&value);
        wlan_.GetAuthMode(&value);
        wlan_.GetNetworkSSID(0, ssid);
        ScopedLock holdBackEnd(wlan_.Lock());
        wlan_.EnumNetworks();
        wlan_.SetCurrentSSIDLocked("HomeAP");
    }
    platform::DeleteCriticalSection(&manager);

    std::set<sim::Pc::LockOrder> orders = pc.LockOrders();
    EXPECT_TRUE(orders.count({&manager, &wlan_.Lock()}));
    for (const auto& [held, taken] : orders) {
        EXPECT_NE(held, static_cast<const void*>(&wlan_.Lock()))
            << "a lock taken inside the back end's";
    }
}

TEST_F(WirelessLanTest, NoOperationLeavesADriverHandleOpen) {
    const std::vector<std::pair<const char*, std::function<void(CWirelessLAN&)>>> operations = {
        {"EnumNetworks", [](CWirelessLAN& w) { w.EnumNetworks(); }},
        {"GetCurrentSSID",
         [](CWirelessLAN& w) {
             char s[33];
             w.GetCurrentSSID(s);
         }},
        {"SetCurrentSSID", [](CWirelessLAN& w) { w.SetCurrentSSID("X"); }},
        {"GetInfraMode",
         [](CWirelessLAN& w) {
             uint32_t v;
             w.GetInfraMode(&v);
         }},
        {"SetInfraMode", [](CWirelessLAN& w) { w.SetInfraMode(0); }},
        {"GetEncryptionStatus",
         [](CWirelessLAN& w) {
             uint32_t v;
             w.GetEncryptionStatus(&v);
         }},
        {"SetEncryptionStatus", [](CWirelessLAN& w) { w.SetEncryptionStatus(1); }},
        {"GetAuthMode",
         [](CWirelessLAN& w) {
             uint32_t v;
             w.GetAuthMode(&v);
         }},
        {"SetAuthMode",
         [](CWirelessLAN& w) {
             uint32_t v = 0;
             w.SetAuthMode(&v);
         }},
    };
    sim::RadioConfig failing{.networks = {Network("HomeAP", -40)}};
    for (uint32_t oid : {platform::kOid80211Ssid, platform::kOid80211InfrastructureMode,
                         platform::kOid80211EncryptionStatus, platform::kOid80211AuthenticationMode,
                         platform::kOid80211BssidList}) {
        failing.failingQueries[oid] = {};
        failing.failingSets[oid] = {};
    }
    failing.failingSets[platform::kOid80211BssidListScan] = {};
    for (const auto& [what, pc] : std::vector<std::pair<const char*, sim::Scenario>>{
             {"answering", RadioPc({.networks = {Network("HomeAP", -40)}})},
             {"failing", RadioPc(failing)},
             {"no driver", RadioPc({}, false)}}) {
        SCOPED_TRACE(what);
        sim::Pc& installed = Install(pc);
        for (const auto& [name, operation] : operations) {
            SCOPED_TRACE(name);
            operation(wlan_);
            EXPECT_EQ(testing::OpenDriverHandles(installed), 0u);
            EXPECT_FALSE(CWLANCtrlSV::Instance().IsOpen());
        }
    }
}

}  // namespace
}  // namespace corvane
