// The SSID switching test in virtual time: which network is joined or made up, how the
// 40-second watch decides, cancel at each phase, and the adapter put back on every way out.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "platform/kernel.h"
#include "platform/thread.h"
#include "tests/host/wlan/cancel_later.h"
#include "tests/host/wlan/radio_pc.h"
#include "tests/host/wlan/traced.h"
#include "tools/scenario/vortau_run.h"
#include "wlan/projector_manager.h"
#include "wlan/runtime_random.h"

namespace corvane {
namespace {

using testing::CancelAt;
using testing::CancelLater;
using testing::kWirelessName;
using testing::Network;
using testing::Traced;

sim::RadioNetwork AdHoc(std::string ssid, int32_t rssi, uint8_t last = 7) {
    sim::RadioNetwork network = Network(std::move(ssid), rssi, last);
    network.infrastructureMode = 0;
    return network;
}

// A Windows XP PC whose adapter is on its home network, with these networks besides in range.
sim::RadioConfig Radio(std::vector<sim::RadioNetwork> networks, sim::SsidAnswer answer = {}) {
    networks.insert(networks.begin(), Network("HomeAP", -45, 1));
    return {.ssid = "HomeAP", .networks = std::move(networks), .answer = answer};
}

struct Switching {
    explicit Switching(sim::RadioConfig radio) : session(testing::RadioPc(std::move(radio))) {
        manager.EnumerateAdapters();
        manager.SelectAdapter(0);
    }
    sim::RadioSettings Settings() {
        sim::Pc& pc = session.pc();
        return pc.network().FindRadio(kWirelessName)->Settings(pc.now());
    }
    sim::RadioSettings AtStart() {
        const sim::RadioConfig& start = session.pc().network().FindRadio(kWirelessName)->config();
        return {start.ssid, start.infrastructureMode, start.authMode, start.encryption};
    }
    // The network the test put the adapter on, from its trace.
    std::string Joined() const {
        std::smatch match;
        for (const std::string& line : session.Trace()) {
            static const std::regex kConnect("CheckSetESSID Connect Network:(.*)");
            if (std::regex_search(line, match, kConnect)) {
                return match[1];
            }
        }
        return "";
    }
    tools::SimSession session;
    CProjectorManager manager;
};

TEST(CheckSetESSIDTest, TheStrongestOpenAdHocNetworkIsJoinedOrOneIsMadeUp) {
    struct Case {
        const char* what;
        std::vector<sim::RadioNetwork> networks;
        std::string joined;  // empty: a made-up one
    };
    sim::RadioNetwork secured = AdHoc("Locked", -30, 3);
    secured.privacy = 1;
    for (const Case& c : std::vector<Case>{
             {"nothing in range", {}, ""},
             {"the stronger of two", {AdHoc("PJ-45", -45, 2), AdHoc("PJ-40", -40, 3)}, "PJ-40"},
             {"equal signals: the first listed",
              {AdHoc("PJ-First", -45, 2), AdHoc("PJ-Second", -45, 3)},
              "PJ-First"},
             {"at -50 it is used", {AdHoc("PJ-50", -50, 2)}, "PJ-50"},
             {"at -51 it is too weak", {AdHoc("PJ-51", -51, 2)}, ""},
             {"secured and infrastructure networks never",
              {secured, Network("Office", -30, 4)},
              ""},
         }) {
        SCOPED_TRACE(c.what);
        Switching run(Radio(c.networks));
        uint64_t start = run.session.pc().now();
        EXPECT_EQ(run.manager.CheckSetESSID(), 4);
        EXPECT_GE(run.session.pc().now() - start, 40000u) << "watched for 40 s";
        if (c.joined.empty()) {
            EXPECT_TRUE(std::regex_match(run.Joined(), std::regex("TAVIRSSID_[0-9]{8}")))
                << run.Joined();
            EXPECT_TRUE(Traced(run.session, "VORTAU CheckSetESSID Use Create Network \r\n"));
        } else {
            EXPECT_EQ(run.Joined(), c.joined);
        }
        EXPECT_EQ(run.Settings(), run.AtStart()) << "the adapter is back on its network";
    }
}

TEST(CheckSetESSIDTest, TheWatchDecidesWhatTheAdapterDid) {
    using Kind = sim::SsidAnswer::Kind;
    struct Case {
        const char* what;
        std::vector<sim::RadioNetwork> networks;
        sim::SsidAnswer answer;
        int result;
        const char* trace;
    };
    for (const Case& c : std::vector<Case>{
             {"dropped after 10 s",
              {AdHoc("PJ", -40)},
              {.kind = Kind::Drop, .holdMs = 10000},
              2,
              "VORTAU CheckSetESSID CheckResult NG2\r\n"},
             {"an existing network never reported",
              {AdHoc("PJ", -40)},
              {.kind = Kind::Never},
              1,
              "VORTAU CheckSetESSIDCore Check NG1\r\n"},
             {"a made-up network never reported nor seen",
              {},
              {.kind = Kind::Never},
              3,
              "VORTAU CheckSetESSID ESSID Enumerates2 Success\r\n"},
             {"back on its old network",
              {AdHoc("PJ", -40)},
              {.kind = Kind::FallBack, .afterMs = 6000},
              2,
              "VORTAU CheckSetESSIDCore CheckESSID():1\r\n"},
         }) {
        SCOPED_TRACE(c.what);
        Switching run(Radio(c.networks, c.answer));
        EXPECT_EQ(run.manager.CheckSetESSID(), c.result);
        EXPECT_TRUE(Traced(run.session, c.trace));
        EXPECT_EQ(run.Settings(), run.AtStart());
    }
}

// Without our driver every scan fails at once: the retries pause between them and give up
// after 5 s, and the switch then fails.
TEST(CheckSetESSIDTest, ScansThatFailAtOnceAreRetriedForFiveSecondsWithPauses) {
    sim::Scenario pc = testing::RadioPc(Radio({AdHoc("PJ", -40)}), false);
    tools::SimSession session(pc);
    CProjectorManager manager;
    manager.EnumerateAdapters();
    manager.SelectAdapter(0);
    EXPECT_EQ(manager.CheckSetESSID(), 0);
    EXPECT_TRUE(Traced(session, "VORTAU CheckSetESSID ESSID Enumerates TimeOut\r\n"));
    EXPECT_GE(session.pc().now(), 5000u);
    EXPECT_LE(session.pc().now(), 6000u);
}

TEST(CheckSetESSIDTest, ACancelBeforeTheTestChangesNothingAndLaterOnesStillRestore) {
    {
        Switching run(Radio({AdHoc("PJ", -40)}));
        run.manager.m_bCancel = true;
        EXPECT_EQ(run.manager.CheckSetESSID(), 5);
        EXPECT_TRUE(Traced(run.session, "VORTAU CheckSetESSID Cancel\r\n"));
        EXPECT_TRUE(run.session.pc().network().protocolRequests().empty());
    }
    for (uint32_t cancelAtMs : {1000u, 20000u}) {
        SCOPED_TRACE(cancelAtMs);
        Switching run(Radio({AdHoc("PJ", -40)}));
        CancelAt cancel{&run.manager, cancelAtMs};
        platform::Handle thread = platform::CreateThread(&CancelLater, &cancel);
        EXPECT_EQ(run.manager.CheckSetESSID(), 5);
        platform::CloseHandle(thread);
        EXPECT_EQ(run.Settings(), run.AtStart());
    }
}

TEST(CreateRandomESSIDTest, EightDigitsOfTheSeededGeneratorAndAHundredCollisionsAtMost) {
    Switching run(Radio({}));
    RuntimeRandom random(static_cast<uint32_t>(platform::time()));
    std::vector<std::string> candidates;
    for (int i = 0; i < 100; ++i) {
        std::string name = "TAVIRSSID_";
        for (int digit = 0; digit < 8; ++digit) {
            name += static_cast<char>('0' + random.Next() % 100 / 10);
        }
        candidates.push_back(name);
    }
    std::string name;
    EXPECT_EQ(run.manager.CreateRandomESSID(name), 1);
    EXPECT_EQ(name, candidates[0]);

    for (size_t taken = 1; taken <= 100; taken += 99) {
        run.manager.m_essidList.clear();
        for (size_t i = 0; i < taken; ++i) {
            auto info = std::make_unique<ESSIDInfo>();
            std::snprintf(info->ssid, sizeof info->ssid, "%s", candidates[i].c_str());
            run.manager.m_essidList.push_back(std::move(info));
        }
        EXPECT_EQ(run.manager.CreateRandomESSID(name), taken < 100 ? 1 : 0);
        EXPECT_EQ(name, candidates[taken < 100 ? taken : 99]);
    }
}

}  // namespace
}  // namespace corvane
