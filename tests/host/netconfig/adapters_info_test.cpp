#include "netconfig/adapters_info.h"

#include <gtest/gtest.h>

#include "tests/host/netconfig/network_pc.h"

namespace corvane {
namespace {

using testing::Adapter;
using testing::InstallNetwork;
using testing::Ip;

TEST(CAdaptersInfo, LoadMapsTheListsErrorsAndLoadsOnlyOnce) {
    struct Case {
        const char* what;
        uint32_t error;
        size_t adapters;
        int expected;
        int count;
    };
    const Case cases[] = {
        {"no adapters", 0, 0, CAdaptersInfo::kNoAdapters, 0},
        {"not supported", 50, 1, CAdaptersInfo::kNotSupported, 0},
        {"any other error", 5, 1, CAdaptersInfo::kOtherError, 0},
        {"one adapter fits the first buffer's room or not", 0, 1, 0, 1},
        {"three adapters need the second try", 0, 3, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::NetworkConfig network;
        network.adaptersInfoError = c.error;
        for (size_t i = 0; i < c.adapters; ++i) {
            network.adapters.push_back(Adapter("{A" + std::to_string(i) + "}", "NIC"));
        }
        InstallNetwork(network);
        CAdaptersInfo info;
        EXPECT_EQ(info.Load(), c.expected);
        EXPECT_EQ(info.GetCount(), c.count);
        if (c.expected == 0) {
            EXPECT_EQ(info.Load(), CAdaptersInfo::kAlreadyLoaded);
            EXPECT_STREQ(info.GetAdapter(c.count - 1)->AdapterName,
                         ("{A" + std::to_string(c.count - 1) + "}").c_str());
        }
    }
}

TEST(CAdaptersInfo, AddressesAndGatewaysByIndex) {
    sim::AdapterConfig second = Adapter("{B}", "two addresses");
    second.addresses = {{"10.0.0.5", "255.0.0.0"}, {"172.16.1.2", "255.255.0.0"}};
    second.gateways = {"10.0.0.1", "172.16.0.1"};
    InstallNetwork({.adapters = {Adapter("{A}", "one"), second}});
    CAdaptersInfo info;
    ASSERT_EQ(info.Load(), 0);

    EXPECT_EQ(info.GetIpAddress(0, 0, nullptr, nullptr), 1);
    EXPECT_EQ(info.GetIpAddress(1, 0, nullptr, nullptr), 2);
    uint32_t address = 0;
    uint32_t mask = 0;
    EXPECT_EQ(info.GetIpAddress(1, 1, &address, &mask), 0);
    EXPECT_EQ(address, Ip(172, 16, 1, 2));
    EXPECT_EQ(mask, Ip(255, 255, 0, 0));
    EXPECT_EQ(info.GetIpAddress(1, 2, &address, &mask), CAdaptersInfo::kNoEntry);
    EXPECT_EQ(info.GetIpAddress(2, 0, &address, &mask), CAdaptersInfo::kBadAdapter);
    EXPECT_EQ(info.GetIpAddress(-1, 0, nullptr, nullptr), CAdaptersInfo::kBadAdapter);
    EXPECT_EQ(info.GetGateway(1, 1), Ip(172, 16, 0, 1));
    EXPECT_EQ(info.GetGateway(1, 2), 0u);
    EXPECT_EQ(info.GetGateway(5, 0), 0u);

    CAdaptersInfo notLoaded;
    EXPECT_EQ(notLoaded.GetIpAddress(0, 0, nullptr, nullptr), CAdaptersInfo::kBadAdapter);
}

TEST(CAdaptersInfo, LookupsByHardwareAddress) {
    sim::AdapterConfig adapter = Adapter("{A}", "NIC");
    adapter.hardwareAddress = {1, 2, 3, 4, 5, 6};
    adapter.addresses = {
        {"10.0.0.5", "255.0.0.0"}, {"0.0.0.0", "0.0.0.0"}, {"10.0.0.7", "255.255.0.0"}};
    adapter.gateways = {"10.0.0.1", "10.0.0.2", "10.0.0.3"};
    InstallNetwork({.adapters = {Adapter("{Z}", "other"), adapter}});
    CAdaptersInfo info;
    ASSERT_EQ(info.Load(), 0);
    const uint8_t mac[6] = {1, 2, 3, 4, 5, 6};
    const uint8_t unknown[6] = {9, 9, 9, 9, 9, 9};
    uint32_t address = 0;
    uint32_t mask = 0;

    // The preferred address stops the walk; an empty entry stops it too.
    EXPECT_EQ(info.FindIpAddressByMac(mac, &address, &mask, Ip(10, 0, 0, 5)), Ip(10, 0, 0, 5));
    EXPECT_EQ(mask, Ip(255, 0, 0, 0));
    EXPECT_EQ(info.FindIpAddressByMac(mac, &address, &mask, Ip(10, 0, 0, 7)), 0u);
    EXPECT_EQ(info.FindGatewayByMac(mac), Ip(10, 0, 0, 2));
    EXPECT_EQ(info.FindIpAddressByMac(mac, nullptr, nullptr, 0), 0u);  // the outputs are optional
    EXPECT_EQ(info.FindIpAddressByMac(unknown, &address, &mask, 0), 0xFFFFFFFFu);
    EXPECT_EQ(info.FindGatewayByMac(unknown), 0xFFFFFFFFu);

    CAdaptersInfo empty;
    EXPECT_EQ(empty.FindIpAddressByMac(mac, &address, &mask, 0), 0xFFFFFFFFu);
}

TEST(CAdaptersInfo, WithoutEmptyEntryTheLastReadIsReturned) {
    sim::AdapterConfig adapter = Adapter("{A}", "NIC");
    adapter.hardwareAddress = {1, 2, 3, 4, 5, 6};
    adapter.addresses = {{"10.0.0.5", "255.0.0.0"}, {"10.0.0.7", "255.255.0.0"}};
    adapter.gateways = {"10.0.0.1", "10.0.0.3"};
    InstallNetwork({.adapters = {adapter}});
    CAdaptersInfo info;
    ASSERT_EQ(info.Load(), 0);
    const uint8_t mac[6] = {1, 2, 3, 4, 5, 6};
    uint32_t address = 0;
    uint32_t mask = 0;
    EXPECT_EQ(info.FindIpAddressByMac(mac, &address, &mask, Ip(1, 1, 1, 1)), Ip(10, 0, 0, 7));
    EXPECT_EQ(mask, Ip(255, 255, 0, 0));
    EXPECT_EQ(info.FindGatewayByMac(mac), Ip(10, 0, 0, 3));
}

}  // namespace
}  // namespace corvane
