// How the simulated radio answers a switch to a new network in virtual time, seen through the
// driver back end as the switching code sees it.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/scoped_lock.h"
#include "platform/kernel.h"
#include "tests/host/wlan/radio_pc.h"
#include "wlan/scan_result_table.h"
#include "wlan/wireless_lan.h"

namespace corvane {
namespace {

using Kind = sim::SsidAnswer::Kind;

struct Seen {
    uint32_t atMs;  // after the SSID was set
    std::string ssid;
    uint32_t mode;
};

// The adapter's report at each of `probes`, after an ad-hoc switch to "TAVIRSSID_12345678".
std::vector<Seen> AfterAdHocSwitch(const sim::SsidAnswer& answer, std::vector<uint32_t> probes) {
    sim::Pc& pc = sim::InstallPc(testing::RadioPc(
        {.ssid = "HomeAP", .networks = {testing::Network("HomeAP", -40)}, .answer = answer}));
    CWirelessLAN wlan;
    EXPECT_EQ(wlan.SelectAdapterByMAC(testing::kWirelessMac), 1);
    EXPECT_EQ(wlan.SetInfraModeLocked(platform::kNdis80211Ibss), 1);
    EXPECT_EQ(wlan.SetCurrentSSIDLocked("TAVIRSSID_12345678"), 1);
    uint64_t set = pc.now();
    std::vector<Seen> seen;
    for (uint32_t probe : probes) {
        platform::Sleep(static_cast<uint32_t>(set + probe - pc.now()));
        char ssid[33] = {};
        uint32_t mode = 9;
        EXPECT_EQ(wlan.GetCurrentSSIDLocked(ssid), 1);
        EXPECT_EQ(wlan.GetInfraModeLocked(&mode), 1);
        seen.push_back({probe, ssid, mode});
    }
    return seen;
}

bool operator==(const Seen& a, const Seen& b) {
    return a.atMs == b.atMs && a.ssid == b.ssid && a.mode == b.mode;
}

std::ostream& operator<<(std::ostream& out, const Seen& seen) {
    return out << "at " << seen.atMs << " ms: \"" << seen.ssid << "\" mode " << seen.mode;
}

TEST(RadioAnswersTest, TheAdapterReportsTheNewNetworkAsTheScenarioSays) {
    const std::string test = "TAVIRSSID_12345678";
    struct Case {
        const char* what;
        sim::SsidAnswer answer;
        std::vector<Seen> expected;
    };
    for (const Case& c : std::vector<Case>{
             {"joins after 600 ms",
              {Kind::Join, 600},
              {{0, "", 0}, {599, "", 0}, {600, test, 0}, {40000, test, 0}}},
             {"never joins", {Kind::Never}, {{0, "", 0}, {10000, "", 0}}},
             {"stays in infrastructure mode",
              {Kind::Infrastructure, 300},
              {{0, "", 0}, {300, test, 1}}},
             {"falls back to its network after 900 ms",
              {Kind::FallBack, 900},
              {{0, test, 0}, {899, test, 0}, {900, "HomeAP", 1}}},
             {"drops the network after 20 s",
              {Kind::Drop, 0, 20000},
              {{0, test, 0}, {19999, test, 0}, {20000, "", 0}}},
             {"moves to another network after 20 s",
              {Kind::Drop, 100, 20000, "Neighbour"},
              {{99, "", 0}, {100, test, 0}, {20100, "Neighbour", 1}}},
         }) {
        SCOPED_TRACE(c.what);
        std::vector<uint32_t> probes;
        for (const Seen& seen : c.expected) {
            probes.push_back(seen.atMs);
        }
        EXPECT_EQ(AfterAdHocSwitch(c.answer, probes), c.expected);
    }
}

TEST(RadioAnswersTest, AnAdHocNetworkOfItsOwnIsHeardAndItsOldNetworkTakesItBack) {
    sim::Pc& pc = sim::InstallPc(testing::RadioPc(
        {.ssid = "HomeAP", .networks = {testing::Network("HomeAP", -40)}, .ownNetworkRssi = -25}));
    CWirelessLAN wlan;
    ASSERT_EQ(wlan.SelectAdapterByMAC(testing::kWirelessMac), 1);
    ASSERT_EQ(wlan.SetInfraModeLocked(platform::kNdis80211Ibss), 1);
    ASSERT_EQ(wlan.SetCurrentSSIDLocked("TAVIRSSID_12345678"), 1);
    {
        ScopedLock hold(wlan.Lock());
        ASSERT_EQ(wlan.EnumNetworks(), 2);
    }
    char ssid[33] = {};
    uint32_t mode = 9;
    ASSERT_EQ(wlan.GetNetworkSSID(0, ssid), 1);
    ASSERT_EQ(wlan.GetNetworkInfraMode(0, &mode), 1);
    EXPECT_EQ(std::string(ssid), "TAVIRSSID_12345678");
    EXPECT_EQ(mode, platform::kNdis80211Ibss);
    // Its BSSID is the adapter's address made locally administered.
    EXPECT_EQ(ScanResultTable::Instance().macs[0][0], 0x02);
    EXPECT_EQ(ScanResultTable::Instance().macs[0][5], testing::kWirelessMac[5]);
    wlan.ClearNetworks();

    // An infrastructure network out of range is never joined; its own network at once.
    ASSERT_EQ(wlan.SetInfraModeLocked(platform::kNdis80211Infrastructure), 1);
    ASSERT_EQ(wlan.SetCurrentSSIDLocked("Elsewhere"), 1);
    ASSERT_EQ(wlan.GetCurrentSSIDLocked(ssid), 1);
    EXPECT_EQ(std::string(ssid), "");
    ASSERT_EQ(wlan.SetCurrentSSIDLocked("HomeAP"), 1);
    EXPECT_EQ(pc.network().FindRadio(testing::kWirelessName)->Settings(pc.now()),
              (sim::RadioSettings{"HomeAP", 1, 0, 1}));
}

}  // namespace
}  // namespace corvane
