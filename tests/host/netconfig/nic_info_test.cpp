#include "netconfig/nic_info.h"

#include <gtest/gtest.h>

#include "tests/host/netconfig/network_pc.h"

namespace corvane {
namespace {

using namespace testing;

TEST(CNICInfo, KindAndStateFollowTheMediumAndTheAnswers) {
    struct Case {
        const char* what;
        uint32_t medium;  // OID_GEN_MEDIA_IN_USE
        std::optional<uint32_t> physical;
        uint32_t hardware;
        uint32_t connect;
        bool wireless, ready, connected;
    };
    const Case cases[] = {
        {"wired Ethernet, physical medium unspecified", 0, 0, 0, 0, false, true, true},
        {"wireless LAN", 0, 1, 0, 1, true, true, false},
        {"native 802.11", 0, 9, 1, 0, true, false, true},
        {"no physical medium query", 0, std::nullopt, 0, 0, false, true, true},
        {"not an Ethernet medium", 1, 1, 0, 0, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::AdapterConfig adapter = Adapter("{A}", "NIC");
        adapter.oids[kOidMediaInUse].bytes = Dword(c.medium);
        adapter.oids[kOidHardwareStatus].bytes = Dword(c.hardware);
        adapter.oids[kOidConnectStatus].bytes = Dword(c.connect);
        if (c.physical) {
            adapter.oids[kOidPhysicalMedium].bytes = Dword(*c.physical);
        } else {
            adapter.oids.erase(kOidPhysicalMedium);
        }
        InstallNetwork({.adapters = {adapter}});
        CNICInfo nic("{A}");
        EXPECT_EQ(nic.GetLastError(), 0u);
        EXPECT_EQ(nic.IsWireless(), c.wireless);
        EXPECT_EQ(nic.IsReady(), c.ready);
        EXPECT_EQ(nic.IsConnected(), c.connected);
    }
}

TEST(CNICInfo, ADeviceThatCannotBeOpenedAnswersNothing) {
    sim::AdapterConfig adapter = Adapter("{A}", "NIC", 9);
    adapter.openError = 5;
    InstallNetwork({.adapters = {adapter}});
    CNICInfo nic("{A}");
    EXPECT_EQ(nic.GetLastError(), 5u);
    uint32_t value = 0;
    uint32_t length = sizeof value;
    EXPECT_EQ(nic.QueryOid(kOidMediaInUse, &value, &length), 1u);
    EXPECT_FALSE(nic.IsWireless());
    EXPECT_FALSE(nic.IsReady());
    EXPECT_FALSE(nic.IsConnected());

    CNICInfo missing("{NOT-THERE}");
    EXPECT_EQ(missing.GetLastError(), 2u);
}

TEST(CNICInfo, QueryOidRetriesABusyDeviceTwentyTimesTenMillisecondsApart) {
    struct Case {
        uint32_t busyTimes;
        uint32_t error;  // after the busy answers
        uint32_t expected;
        uint64_t elapsedMs;
    };
    const Case cases[] = {
        {0, 0, 0, 0},
        {19, 0, 0, 190},
        {20, 0, 31, 190},
        {2, 50, 50, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.busyTimes);
        sim::AdapterConfig adapter = Adapter("{A}", "NIC");
        adapter.oids[kOidDriverVersion] = {Word(0x0501), c.error, c.busyTimes};
        sim::Pc& pc = InstallNetwork({.adapters = {adapter}});
        CNICInfo nic("{A}");
        uint8_t buffer[8] = {};
        uint32_t length = sizeof buffer;
        EXPECT_EQ(nic.QueryOid(kOidDriverVersion, buffer, &length), c.expected);
        EXPECT_EQ(pc.now(), c.elapsedMs);
        if (c.expected == 0) {
            EXPECT_EQ(length, 2u);
            EXPECT_EQ(buffer[0], 0x01);
        }
    }
}

TEST(CNICInfo, QueryOidWithoutBufferOrLengthAsksNothing) {
    InstallNetwork({.adapters = {Adapter("{A}", "NIC")}});
    CNICInfo nic("{A}");
    uint32_t value = 0;
    uint32_t length = 0;
    EXPECT_EQ(nic.QueryOid(kOidMediaInUse, &value, &length), 1u);
    length = 4;
    EXPECT_EQ(nic.QueryOid(kOidMediaInUse, nullptr, &length), 1u);
}

}  // namespace
}  // namespace corvane
