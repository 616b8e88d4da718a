// The protocol driver channel on the simulated PC: what it sends the driver byte for byte, how
// it opens and binds, its scan, and the driver answers it must survive.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/host/wlan/radio_pc.h"
#include "wlan/wlan_ctrl_sv.h"

namespace corvane {
namespace {

using testing::Dword;
using testing::RadioPc;

constexpr uint32_t kOidSsid = platform::kOid80211Ssid;

std::string Bytes(const void* data, size_t size) {
    return std::string(static_cast<const char*>(data), size);
}

std::string SsidStructure(uint32_t length, const std::string& octets) {
    platform::Ndis80211Ssid ssid{};
    ssid.SsidLength = length;
    std::memcpy(ssid.Ssid, octets.data(), std::min<size_t>(octets.size(), 32));
    return Bytes(&ssid, sizeof ssid);
}

// A channel bound to the wireless adapter; closed again when the test ends.
class ChannelTest : public ::testing::Test {
  protected:
    sim::Pc& Install(sim::Scenario scenario = RadioPc()) {
        sim::Pc& pc = sim::InstallPc(std::move(scenario));
        channel().ClearBSSIDList();
        return pc;
    }
    bool Bind() {
        return channel().OpenDriver() == 1 && channel().OpenAdapter(testing::kWirelessDevice) == 1;
    }
    void TearDown() override {
        channel().CloseDriver();
        channel().ClearBSSIDList();
    }
    static CWLANCtrlSV& channel() { return CWLANCtrlSV::Instance(); }
    static std::vector<sim::ProtocolRequest>& Requests() {
        return sim::CurrentPc().network().protocolRequests();
    }
};

TEST_F(ChannelTest, OpenAndBindSendTheBindWaitThenTheAdapterNameInUtf16WithoutTerminator) {
    sim::Pc& pc = Install();
    ASSERT_TRUE(Bind());
    ASSERT_EQ(Requests().size(), 2u);
    EXPECT_EQ(Requests()[0].code, 0x0012C810u);
    EXPECT_EQ(Requests()[0].input, "");
    EXPECT_EQ(Requests()[0].outSize, 0u);
    EXPECT_EQ(Requests()[1].code, 0x0012C800u);
    EXPECT_EQ(Requests()[1].input,
              testing::Utf16(u"\\DEVICE\\{ABCDEF01-2345-6789-ABCD-EF0123456789}", 0));
    EXPECT_EQ(Requests()[1].outSize, 0u);
    EXPECT_EQ(testing::OpenDriverHandles(pc), 1u);
    channel().CloseDriver();
    EXPECT_EQ(testing::OpenDriverHandles(pc), 0u);
}

TEST_F(ChannelTest, QueriesSendTheOidAndEightZeroBytesMoreThanTheValueAndSetsFourMore) {
    Install(RadioPc({.infrastructureMode = 0}));
    ASSERT_TRUE(Bind());
    uint32_t mode = 7;
    ASSERT_EQ(channel().GetOIDData(platform::kOid80211InfrastructureMode, &mode, 4), 1);
    EXPECT_EQ(mode, 0u);
    const sim::ProtocolRequest& query = Requests().back();
    EXPECT_EQ(query.code, 0x0012C804u);
    EXPECT_EQ(query.input, Dword(0x0D010108) + std::string(8, '\0'));
    EXPECT_EQ(query.outSize, 12u);

    const uint32_t adHoc = 0;
    ASSERT_EQ(channel().SetOIDData(platform::kOid80211InfrastructureMode, &adHoc, 4), 1);
    const sim::ProtocolRequest& set = Requests().back();
    EXPECT_EQ(set.code, 0x0012C814u);
    EXPECT_EQ(set.input, Dword(0x0D010108) + Dword(0));
    EXPECT_EQ(set.outSize, 8u);

    EXPECT_EQ(sim::CurrentPc().debugOutput(),
              (std::vector<std::string>{"GetOIDData: IoControl success, BytesReturned = 8\n",
                                        "GetOIDData: IoControl success, BytesReturned = 8\n"}));
}

TEST_F(ChannelTest, SetSsidSendsTheLengthCappedAt32AndZeroOctetsForAnEmptyText) {
    struct Case {
        std::string text;
        uint32_t length;
        std::string octets;
    };
    const std::string forty(40, 'x');
    for (const Case& c : {Case{"Projector", 9, "Projector"}, Case{"", 32, ""},
                          Case{forty, 32, forty.substr(0, 32)}, Case{"A", 1, "A"}}) {
        SCOPED_TRACE(c.text);
        Install();
        ASSERT_TRUE(Bind());
        ASSERT_EQ(channel().SetSSID(c.text.c_str()), 1);
        EXPECT_EQ(Requests().back().input, Dword(kOidSsid) + SsidStructure(c.length, c.octets));
        channel().CloseDriver();
    }
}

TEST_F(ChannelTest, GetSsidTrustsNeitherTheLengthNorATerminator) {
    struct Case {
        const char* what;
        std::string answer;
        std::string text;
    };
    const std::string full(32, 'q');
    for (const Case& c : {
             Case{"length within the octets", SsidStructure(4, "HomeAP"), "Home"},
             Case{"length past a zero octet", SsidStructure(9, std::string("Ab\0cd", 5)), "Ab"},
             Case{"length over 32", SsidStructure(0xFFFFFFFF, full), full},
             Case{"32 octets without a terminator", SsidStructure(32, full), full},
             Case{"no association", SsidStructure(0, ""), ""},
         }) {
        SCOPED_TRACE(c.what);
        Install(RadioPc({.rawAnswers = {{kOidSsid, c.answer}}}));
        ASSERT_TRUE(Bind());
        char text[33];
        std::memset(text, '#', sizeof text);
        EXPECT_EQ(channel().GetSSID(text), 1);
        EXPECT_EQ(std::string(text), c.text);
        channel().CloseDriver();
    }
}

TEST_F(ChannelTest, AFailedQueryLeavesAnEmptySsidAndTracesTheError) {
    sim::Pc& pc = Install(RadioPc({.ssid = "HomeAP", .failingQueries = {{kOidSsid, {}}}}));
    ASSERT_TRUE(Bind());
    char text[33] = "stale";
    EXPECT_EQ(channel().GetSSID(text), 0);
    EXPECT_EQ(std::string(text), "");
    EXPECT_EQ(pc.debugOutput().back(), "GetOIDData: IoControl failed: 31\n");
}

TEST_F(ChannelTest, OpenDriverFailsWithoutARunningDriverAndHoldsNoHandle) {
    struct Case {
        const char* what;
        sim::Scenario pc;
    };
    sim::Scenario stopped = RadioPc({}, false);
    sim::Scenario missing = RadioPc();
    missing.services.clear();
    sim::Scenario bindFails = RadioPc();
    bindFails.network.bindWaitError = 21;  // ERROR_NOT_READY
    for (Case& c : std::vector<Case>{
             {"stopped", stopped}, {"not installed", missing}, {"bind wait fails", bindFails}}) {
        SCOPED_TRACE(c.what);
        sim::Pc& pc = Install(c.pc);
        EXPECT_EQ(channel().OpenDriver(), 0);
        EXPECT_FALSE(channel().IsOpen());
        EXPECT_EQ(testing::OpenDriverHandles(pc), 0u);
        EXPECT_EQ(channel().OpenAdapter(testing::kWirelessDevice), 0);
        uint32_t value = 0;
        EXPECT_EQ(channel().GetOIDData(kOidSsid, &value, 4), 0);
        EXPECT_EQ(channel().SetOIDData(kOidSsid, &value, 4), 0);
    }
}

TEST_F(ChannelTest, OpenAdapterFailsForAnAdapterTheDriverDoesNotKnowOrANameItCannotTake) {
    sim::Scenario unbound = RadioPc();
    unbound.network.adapters[0].protocolBound = false;
    const std::string tooLong = "\\DEVICE\\{" + std::string(2000, 'A') + "}";
    struct Case {
        const char* what;
        sim::Scenario pc;
        std::string name;
        bool sent;
    };
    for (Case& c : std::vector<Case>{
             {"not bound", unbound, testing::kWirelessDevice, true},
             {"another adapter", RadioPc(), "\\DEVICE\\{00000000-0000-0000-0000-000000000000}",
              true},
             {"longer than the driver takes", RadioPc(), tooLong, false},
             {"non-ASCII", RadioPc(), "\\DEVICE\\{\x83\x65\x83\x58\x83\x67}", true},
             {"empty", RadioPc(), "", false},
         }) {
        SCOPED_TRACE(c.what);
        c.pc.ansiCodePage = 932;
        Install(c.pc);
        ASSERT_EQ(channel().OpenDriver(), 1);
        EXPECT_EQ(channel().OpenAdapter(c.name.c_str()), 0);
        EXPECT_EQ(Requests().size(), c.sent ? 2u : 1u);
        uint32_t value = 0;
        EXPECT_EQ(channel().GetOIDData(kOidSsid, &value, 4), 0);
        channel().CloseDriver();
    }
}

TEST_F(ChannelTest, ScanWaitsHalfASecondAfterItsRequestWhetherOrNotItWasTaken) {
    sim::Pc& pc = Install(
        RadioPc({.networks = {testing::Network("HomeAP", -40)},
                 .failingSets = {{platform::kOid80211BssidListScan, {.error = 31, .times = 1}}}}));
    ASSERT_TRUE(Bind());
    // The first scan request is refused.
    ASSERT_EQ(channel().ScanBSSIDList(), 0);
    EXPECT_EQ(pc.now(), 500u);
    ASSERT_EQ(channel().ScanBSSIDList(), 1);
    EXPECT_EQ(pc.now(), 1000u);
    ASSERT_EQ(channel().BSSIDList().size(), 1u);
    const sim::ProtocolRequest& list = Requests().back();
    EXPECT_EQ(list.input, Dword(platform::kOid80211BssidList) + std::string(16388, '\0'));
    EXPECT_EQ(list.outSize, 16392u);
    const sim::ProtocolRequest& scan = Requests()[Requests().size() - 2];
    EXPECT_EQ(scan.input, Dword(platform::kOid80211BssidListScan) + std::string(1024, '\0'));
}

TEST_F(ChannelTest, TheListKeepsEveryNamedEntryInTheDriversOrderAndDropsHiddenOnes) {
    Install(RadioPc({.networks = {testing::Network("B", -70, 1), testing::Network("", -20, 2),
                                  testing::Network(std::string("\0\0Hid", 5), -30, 3),
                                  testing::Network(std::string("\0A", 2), -35, 4),
                                  testing::Network("B", -60, 5)}}));
    ASSERT_TRUE(Bind());
    ASSERT_EQ(channel().ScanBSSIDList(), 1);
    const auto& list = channel().BSSIDList();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0]->MacAddress[5], 1);
    EXPECT_EQ(list[1]->MacAddress[5], 4);
    EXPECT_EQ(list[2]->MacAddress[5], 5);
    EXPECT_EQ(list[2]->Rssi, -60);
    EXPECT_EQ(list[0]->Ssid.SsidLength, 1u);
}

// The raw list as a driver may answer it: NumberOfItems, then entries.
std::string Entry(uint32_t length) {
    std::string bytes(std::max<uint32_t>(length, sizeof(platform::NdisWlanBssid)), '\0');
    std::memcpy(bytes.data(), &length, 4);
    bytes[offsetof(platform::NdisWlanBssid, Ssid.Ssid)] = 'N';
    return bytes.substr(0, std::max<uint32_t>(length, 4));
}

std::string List(int32_t items, const std::string& entries) {
    return Bytes(&items, 4) + entries;
}

TEST_F(ChannelTest, BadBssidListsEndTheWalkWithoutReadingPastTheBuffer) {
    const std::string good = Entry(104);
    struct Case {
        const char* what;
        std::string answer;
        size_t kept;
    };
    std::string fullOfShortEntries;
    for (int i = 0; i < 200; ++i) {
        fullOfShortEntries += good;
    }
    for (const Case& c : {
             Case{"no items", List(0, good), 0},
             Case{"negative count", List(-1, good), 0},
             Case{"huge count, then zero bytes", List(0x7FFFFFFF, good + good), 2},
             Case{"length 0", List(3, good + Entry(0) + good), 1},
             Case{"length 1", List(2, good + Entry(1)), 1},
             Case{"length 103", List(2, good + Entry(103)), 1},
             Case{"length 16384 past the end", List(1, Entry(16384)), 0},
             Case{"one entry filling the buffer", List(1, Entry(16380)), 1},
             Case{"fewer bytes than the count says", List(5, good), 1},
             Case{"more entries than the buffer holds", List(200, fullOfShortEntries), 157},
             Case{"three bytes in all", std::string("\x02\x00\x00", 3), 0},
         }) {
        SCOPED_TRACE(c.what);
        Install(RadioPc({.rawAnswers = {{platform::kOid80211BssidList, c.answer}}}));
        ASSERT_TRUE(Bind());
        EXPECT_EQ(channel().ScanBSSIDList(), 1);
        EXPECT_EQ(channel().BSSIDList().size(), c.kept);
        channel().CloseDriver();
    }
}

TEST_F(ChannelTest, AFailedListQueryEmptiesTheList) {
    Install(
        RadioPc({.networks = {testing::Network("HomeAP", -40)},
                 .failingQueries = {{platform::kOid80211BssidList, {.error = 31, .times = 1}}}}));
    ASSERT_TRUE(Bind());
    ASSERT_EQ(channel().ScanBSSIDList(), 0);
    EXPECT_TRUE(channel().BSSIDList().empty());
    ASSERT_EQ(channel().ScanBSSIDList(), 1);
    EXPECT_EQ(channel().BSSIDList().size(), 1u);
}

}  // namespace
}  // namespace corvane
