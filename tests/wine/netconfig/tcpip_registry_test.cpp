// CTAVIR_NetSet's connection lookup and TCP/IP interface values in Wine's own registry. Each
// test makes the keys of an adapter Wine does not have, and removes them again.
#include <gtest/gtest.h>

#include <string>

#include "netconfig/tavir_net_set.h"
#include "platform/netcfg.h"
#include "tests/wine/netconfig/registry_values.h"

namespace corvane {
namespace {

constexpr char16_t kGuid[] = u"{C0A7E5E1-7E57-4C0D-9A11-0000C0FFEE01}";
constexpr char16_t kAdapterKey[] =
    u"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\"
    u"{C0A7E5E1-7E57-4C0D-9A11-0000C0FFEE01}";
constexpr char16_t kConnectionKey[] =
    u"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\"
    u"{C0A7E5E1-7E57-4C0D-9A11-0000C0FFEE01}\\Connection";
constexpr char16_t kInterfaceKey[] =
    u"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\"
    u"{C0A7E5E1-7E57-4C0D-9A11-0000C0FFEE01}";
constexpr char16_t kPnpId[] = u"PCI\\VEN_10EC&DEV_8139\\3&61AAA01&0&18";

class TcpipOnWine : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteValue(kConnectionKey, u"PnpInstanceID", Text(kPnpId));
        WriteValue(kInterfaceKey, u"EnableDHCP", Dword(1));
    }
    void TearDown() override {
        DeleteKeys({kConnectionKey, kAdapterKey, kInterfaceKey});
        EXPECT_FALSE(KeyExists(kAdapterKey));
        EXPECT_FALSE(KeyExists(kInterfaceKey));
    }
};

TEST_F(TcpipOnWine, GetPnpInstanceIdHoldsTheIdAndGuidOfAKnownAdapterOnly) {
    CTAVIR_NetSet netSet;
    // Names of keys do not depend on case.
    EXPECT_EQ(netSet.GetPnpInstanceId(u"{c0a7e5e1-7e57-4c0d-9a11-0000c0ffee01}"), 1);
    EXPECT_EQ(std::u16string(netSet.PnpInstanceId()), kPnpId);
    EXPECT_EQ(std::u16string(netSet.AdapterGuid()), u"{c0a7e5e1-7e57-4c0d-9a11-0000c0ffee01}");

    EXPECT_EQ(netSet.GetPnpInstanceId(u"{C0A7E5E1-7E57-4C0D-9A11-0000C0FFEE02}"), 0);
    EXPECT_EQ(std::u16string(netSet.PnpInstanceId()), u"");
    EXPECT_EQ(std::u16string(netSet.AdapterGuid()), u"");
}

TEST_F(TcpipOnWine, WriteTcpipInterfaceStoresExactlyTheValuesAndTheirTypes) {
    CTAVIR_NetSet netSet;
    ASSERT_EQ(netSet.GetPnpInstanceId(kGuid), 1);

    ASSERT_EQ(netSet.WriteTcpipInterface(u"169.254.10.20", u"255.255.0.0", 0), 1);
    // 26 bytes of text and two zero units.
    EXPECT_EQ(ReadValue(kInterfaceKey, u"IPAddress"), MultiString(u"169.254.10.20"));
    EXPECT_EQ(ReadValue(kInterfaceKey, u"IPAddress")->bytes.size(), 30u);
    EXPECT_EQ(ReadValue(kInterfaceKey, u"SubnetMask"), MultiString(u"255.255.0.0"));
    EXPECT_EQ(ReadValue(kInterfaceKey, u"EnableDHCP"), Dword(0));

    // Back to DHCP, as the check program leaves the adapter.
    ASSERT_EQ(netSet.WriteTcpipInterface(u"0.0.0.0", u"0.0.0.0", 1), 1);
    EXPECT_EQ(ReadValue(kInterfaceKey, u"IPAddress"), MultiString(u"0.0.0.0"));
    EXPECT_EQ(ReadValue(kInterfaceKey, u"SubnetMask"), MultiString(u"0.0.0.0"));
    EXPECT_EQ(ReadValue(kInterfaceKey, u"EnableDHCP"), Dword(1));
}

TEST_F(TcpipOnWine, WriteTcpipInterfaceTakesUpTo255Characters) {
    CTAVIR_NetSet netSet;
    ASSERT_EQ(netSet.GetPnpInstanceId(kGuid), 1);
    const std::u16string longest(255, u'1');
    ASSERT_EQ(netSet.WriteTcpipInterface(longest.c_str(), u"255.255.0.0", 0), 1);
    EXPECT_EQ(ReadValue(kInterfaceKey, u"IPAddress"), MultiString(longest));

    const std::u16string tooLong(256, u'2');
    EXPECT_EQ(netSet.WriteTcpipInterface(tooLong.c_str(), u"255.255.0.0", 1), 0);
    EXPECT_EQ(netSet.WriteTcpipInterface(u"169.254.1.1", tooLong.c_str(), 1), 0);
    // The address goes in before the mask is refused; DHCP is not touched.
    EXPECT_EQ(ReadValue(kInterfaceKey, u"IPAddress"), MultiString(u"169.254.1.1"));
    EXPECT_EQ(ReadValue(kInterfaceKey, u"SubnetMask"), MultiString(u"255.255.0.0"));
    EXPECT_EQ(ReadValue(kInterfaceKey, u"EnableDHCP"), Dword(0));
}

TEST_F(TcpipOnWine, WriteTcpipInterfaceFailsWithoutTheInterfaceKey) {
    CTAVIR_NetSet netSet;
    ASSERT_EQ(netSet.GetPnpInstanceId(kGuid), 1);
    ASSERT_EQ(platform::RegDeleteKeyW(platform::LocalMachine(), kInterfaceKey),
              platform::kErrorSuccess);
    EXPECT_EQ(netSet.WriteTcpipInterface(u"169.254.10.20", u"255.255.0.0", 0), 0);
    EXPECT_FALSE(ReadValue(kInterfaceKey, u"IPAddress"));

    // With no adapter held, the key above the adapters' keys is not written either.
    CTAVIR_NetSet nothingHeld;
    EXPECT_EQ(nothingHeld.WriteTcpipInterface(u"169.254.10.20", u"255.255.0.0", 0), 0);
    EXPECT_FALSE(ReadValue(u"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces",
                           u"IPAddress"));
}

// Wine's engine answers E_NOTIMPL when asked for TCP/IP's component, so there is no binding to
// switch; with an adapter held the answer is 1 all the same.
TEST_F(TcpipOnWine, RestartTcpipBindingNeedsAHeldAdapter) {
    CTAVIR_NetSet netSet;
    EXPECT_EQ(netSet.RestartTcpipBinding(), 0);
    ASSERT_EQ(netSet.GetPnpInstanceId(kGuid), 1);
    EXPECT_EQ(netSet.RestartTcpipBinding(), 1);
    // COM is left as found: this thread's next CoInitialize is a first one.
    EXPECT_EQ(platform::CoInitialize(), platform::kSOk);
    platform::CoUninitialize();

    ASSERT_EQ(netSet.GetPnpInstanceId(u"{C0A7E5E1-7E57-4C0D-9A11-0000C0FFEE02}"), 0);
    EXPECT_EQ(netSet.RestartTcpipBinding(), 0);
}

}  // namespace
}  // namespace corvane
