#include "netconfig/adapter_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/host/netconfig/network_pc.h"

namespace corvane {
namespace {

using namespace testing;

TEST(EnumerateAdapters, NoAdaptersEmptiesTheList) {
    InstallNetwork({.adapters = {Adapter("{A}", "NIC")}});
    AdapterList list;
    EXPECT_EQ(EnumerateAdapters(list), 1);
    ASSERT_EQ(list.size(), 1u);

    InstallNetwork({});
    EXPECT_EQ(EnumerateAdapters(list), 0);
    EXPECT_TRUE(list.empty());
}

TEST(EnumerateAdapters, OneRecordPerAdapterInOrder) {
    sim::AdapterConfig wired = Adapter("{A}", "Wired", 0);
    wired.dhcpEnabled = false;
    sim::AdapterConfig wireless = Adapter("{B}", "", 9);
    wireless.hardwareAddress = {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
    wireless.addresses = {{"169.254.3.4", "255.255.0.0"}, {"10.1.1.1", "255.0.0.0"}};
    wireless.gateways = {};
    wireless.oids[kOidConnectStatus].bytes = Dword(1);
    sim::AdapterConfig closed = Adapter("{C}", "Closed", 9);
    closed.openError = 2;
    InstallNetwork({.adapters = {wired, wireless, closed}});

    AdapterList list;
    ASSERT_EQ(EnumerateAdapters(list), 3);
    ASSERT_EQ(list.size(), 3u);
    const AdapterRecord& a = *list[0];
    EXPECT_STREQ(a.name, "{A}");
    EXPECT_STREQ(a.description, "Wired");
    EXPECT_EQ(a.ipAddress, Ip(192, 168, 1, 20));
    EXPECT_EQ(a.subnetMask, Ip(255, 255, 255, 0));
    EXPECT_EQ(a.gateway, Ip(192, 168, 1, 1));
    EXPECT_EQ(a.isWireless, 0);
    EXPECT_EQ(a.isConnected, 1);
    EXPECT_EQ(a.isReady, 1);
    EXPECT_EQ(a.driverVersion, 0x0501u);
    EXPECT_EQ(a.dhcpEnabled, 0u);

    const AdapterRecord& b = *list[1];
    EXPECT_STREQ(b.description, "");
    EXPECT_EQ(b.ipAddress, Ip(169, 254, 3, 4));
    EXPECT_EQ(b.gateway, 0u);
    EXPECT_EQ(b.isWireless, 1);
    EXPECT_EQ(b.isConnected, 0);
    const uint8_t mac[8] = {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0, 0};
    EXPECT_EQ(std::memcmp(b.macAddress, mac, 8), 0);
    EXPECT_EQ(b.dhcpEnabled, 1u);

    // A device that cannot be opened: every test false, no driver version.
    const AdapterRecord& c = *list[2];
    EXPECT_EQ(c.isWireless, 0);
    EXPECT_EQ(c.isConnected, 0);
    EXPECT_EQ(c.isReady, 0);
    EXPECT_EQ(c.driverVersion, 0u);
}

TEST(EnumerateAdapters, NamesAndDescriptionsAreCutToTheFieldAndTerminated) {
    // From their field's size on, IP Helper's texts fill it without a terminator.
    for (size_t length : {259u, 260u, 400u}) {
        SCOPED_TRACE(length);
        InstallNetwork({.adapters = {Adapter(std::string(length, 'n'), std::string(length, 'd'))}});
        AdapterList list;
        ASSERT_EQ(EnumerateAdapters(list), 1);
        EXPECT_EQ(std::string(list[0]->name), std::string(259, 'n'));
        EXPECT_EQ(std::string(list[0]->description), std::string(131, 'd'));
    }
}

}  // namespace
}  // namespace corvane
