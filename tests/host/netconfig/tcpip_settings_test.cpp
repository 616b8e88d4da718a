#include <gtest/gtest.h>

#include <string>

#include "netconfig/tavir_net_set.h"
#include "tests/host/netconfig/network_pc.h"

namespace corvane {
namespace {

using namespace testing;

sim::NetworkConfig Registry(sim::RegistryValue pnpId) {
    sim::NetworkConfig network;
    network.registry[kConnection] = {{u"PnpInstanceID", pnpId}};
    network.registry[kInterface] = {{u"EnableDHCP", {4, Dword(1)}}};
    return network;
}

TEST(GetPnpInstanceId, ReadsTheConnectionKeyAndHoldsTheGuid) {
    InstallNetwork(Registry({1, Utf16(kPnpId)}));
    CTAVIR_NetSet netSet;
    // The connection key's name does not depend on case.
    EXPECT_EQ(netSet.GetPnpInstanceId(u"{abcdef01-2345-6789-abcd-ef0123456789}"), 1);
    EXPECT_EQ(std::u16string(netSet.PnpInstanceId()), kPnpId);
    EXPECT_EQ(std::u16string(netSet.AdapterGuid()), u"{abcdef01-2345-6789-abcd-ef0123456789}");
    EXPECT_EQ(sim::CurrentPc().network().registry().openKeys(), 0u);
}

TEST(GetPnpInstanceId, MissingKeysAndOddValuesGiveThePartsResultsAndNoOverrun) {
    struct Case {
        const char* what;
        std::optional<sim::RegistryValue> value;
        int expected;
        std::u16string held;
    };
    const Case cases[] = {
        {"no value", std::nullopt, 0, u""},
        {"a DWORD is read as it is", sim::RegistryValue{4, Dword(0x00420041)}, 1, u"AB"},
        {"too long for 2048 bytes", sim::RegistryValue{1, Utf16(std::u16string(1500, u'x'))}, 0,
         u""},
        {"exactly 1024 units, no terminator",
         sim::RegistryValue{1, Utf16(std::u16string(1024, u'y'), 0)}, 1,
         std::u16string(1023, u'y')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::NetworkConfig network = Registry({});
        if (c.value) {
            network.registry[kConnection] = {{u"PnpInstanceID", *c.value}};
        } else {
            network.registry[kConnection].clear();
        }
        InstallNetwork(network);
        CTAVIR_NetSet netSet;
        EXPECT_EQ(netSet.GetPnpInstanceId(kGuid), c.expected);
        EXPECT_EQ(std::u16string(netSet.PnpInstanceId()), c.held);
    }
    InstallNetwork({});
    CTAVIR_NetSet netSet;
    EXPECT_EQ(netSet.GetPnpInstanceId(kGuid), 0);
    EXPECT_EQ(std::u16string(netSet.AdapterGuid()), u"");
}

TEST(WriteTcpipInterface, ALinkLocalAddressSetAndRecovered) {
    sim::Pc& pc = InstallNetwork(Registry({1, Utf16(kPnpId)}));
    CTAVIR_NetSet netSet;
    ASSERT_EQ(netSet.GetPnpInstanceId(kGuid), 1);
    sim::Registry& registry = pc.network().registry();

    ASSERT_EQ(netSet.WriteTcpipInterface(u"169.254.10.20", u"255.255.0.0", 0), 1);
    // The text, then two zero units: 26 bytes and 4, 30 in all.
    EXPECT_EQ(registry.Value(kInterface, u"IPAddress")->bytes, Utf16(u"169.254.10.20", 2));
    EXPECT_EQ(registry.Value(kInterface, u"IPAddress")->bytes.size(), 30u);
    EXPECT_EQ(registry.Value(kInterface, u"IPAddress")->type, 7u);
    EXPECT_EQ(registry.Value(kInterface, u"SubnetMask")->bytes, Utf16(u"255.255.0.0", 2));
    EXPECT_EQ(registry.Value(kInterface, u"SubnetMask")->type, 7u);
    EXPECT_EQ(registry.Value(kInterface, u"EnableDHCP")->bytes, Dword(0));
    EXPECT_EQ(registry.Value(kInterface, u"EnableDHCP")->type, 4u);

    ASSERT_EQ(netSet.WriteTcpipInterface(u"0.0.0.0", u"0.0.0.0", 1), 1);
    EXPECT_EQ(registry.Value(kInterface, u"IPAddress")->bytes, Utf16(u"0.0.0.0", 2));
    EXPECT_EQ(registry.Value(kInterface, u"SubnetMask")->bytes, Utf16(u"0.0.0.0", 2));
    EXPECT_EQ(registry.Value(kInterface, u"EnableDHCP")->bytes, Dword(1));
    EXPECT_EQ(registry.flushes(), 2);
    EXPECT_EQ(registry.openKeys(), 0u);
}

TEST(WriteTcpipInterface, TextsOfUpTo255CharactersAreWritten) {
    sim::Pc& pc = InstallNetwork(Registry({1, Utf16(kPnpId)}));
    CTAVIR_NetSet netSet;
    ASSERT_EQ(netSet.GetPnpInstanceId(kGuid), 1);
    sim::Registry& registry = pc.network().registry();
    std::u16string longest(255, u'1');
    EXPECT_EQ(netSet.WriteTcpipInterface(longest.c_str(), u"255.255.0.0", 0), 1);
    EXPECT_EQ(registry.Value(kInterface, u"IPAddress")->bytes, Utf16(longest, 2));

    // A mask too long: the address written before it stays, DHCP is not touched.
    std::u16string tooLong(256, u'2');
    EXPECT_EQ(netSet.WriteTcpipInterface(u"169.254.1.1", tooLong.c_str(), 1), 0);
    EXPECT_EQ(registry.Value(kInterface, u"IPAddress")->bytes, Utf16(u"169.254.1.1", 2));
    EXPECT_EQ(registry.Value(kInterface, u"SubnetMask")->bytes, Utf16(u"255.255.0.0", 2));
    EXPECT_EQ(registry.Value(kInterface, u"EnableDHCP")->bytes, Dword(0));
    EXPECT_EQ(netSet.WriteTcpipInterface(tooLong.c_str(), u"255.255.0.0", 1), 0);
    EXPECT_EQ(netSet.WriteTcpipInterface(nullptr, u"255.255.0.0", 1), 0);
    EXPECT_EQ(registry.openKeys(), 0u);
}

TEST(WriteTcpipInterface, FailsWithoutAWritableInterfaceKey) {
    sim::NetworkConfig network = Registry({1, Utf16(kPnpId)});
    network.registry.erase(kInterface);
    InstallNetwork(network);
    CTAVIR_NetSet netSet;
    ASSERT_EQ(netSet.GetPnpInstanceId(kGuid), 1);
    EXPECT_EQ(netSet.WriteTcpipInterface(u"169.254.1.1", u"255.255.0.0", 0), 0);

    // No adapter held: the Interfaces key above the adapters' keys is not written.
    constexpr char16_t kInterfaces[] =
        u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\"
        u"Interfaces";
    sim::Pc& fresh = InstallNetwork(Registry({1, Utf16(kPnpId)}));
    CTAVIR_NetSet nothingHeld;
    EXPECT_EQ(nothingHeld.WriteTcpipInterface(u"169.254.1.1", u"255.255.0.0", 0), 0);
    EXPECT_EQ(fresh.network().registry().Value(kInterfaces, u"IPAddress"), nullptr);

    network = Registry({1, Utf16(kPnpId)});
    network.readOnlyKeys = {kInterface};
    sim::Pc& pc = InstallNetwork(network);
    ASSERT_EQ(netSet.GetPnpInstanceId(kGuid), 1);
    EXPECT_EQ(netSet.WriteTcpipInterface(u"169.254.1.1", u"255.255.0.0", 0), 0);
    EXPECT_EQ(pc.network().registry().Value(kInterface, u"IPAddress"), nullptr);
}

}  // namespace
}  // namespace corvane
