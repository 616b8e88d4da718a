#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "netconfig/apipa_setting.h"
#include "netconfig/tavir_net_set.h"
#include "platform/sim/code_page.h"
#include "tests/host/netconfig/network_pc.h"

namespace corvane {
namespace {

using namespace testing;

// The adapter's path, named in another case than its connection key does.
constexpr char16_t kAdapterPath[] = u"ms_tcpip->pci\\ven_168c&dev_001b\\4&1b3f0a2&0&20f0";

// TCP/IP bound to a wired adapter, the WAN layer and, last, the adapter held.
sim::Scenario BindingPc(bool adapterPathEnabled) {
    sim::Scenario scenario;
    scenario.network.registry[kConnection] = {{u"PnpInstanceID", {1, Utf16(kPnpId)}}};
    scenario.network.tcpipBindingPaths = {
        {u"ms_tcpip->PCI\\VEN_8086&DEV_100E\\3&61AAA01&0&88", true},
        {u"ms_tcpip->ms_wanarp", true},
        {kAdapterPath, adapterPathEnabled},
    };
    return scenario;
}

// The engine's state after a run: nothing held, no COM left initialised, the lock given back.
void ExpectEverythingReleased(sim::Pc& pc) {
    EXPECT_TRUE(pc.network().comObjects().empty());
    EXPECT_TRUE(pc.driverSetup().componentObjects().empty());
    EXPECT_TRUE(pc.network().tokens().empty());
    EXPECT_EQ(pc.network().comInitialized(), 0);
    EXPECT_FALSE(pc.network().writeLockHeld());
}

int Restart(sim::Scenario scenario) {
    sim::InstallPc(std::move(scenario));
    CTAVIR_NetSet netSet;
    EXPECT_EQ(netSet.GetPnpInstanceId(kGuid), 1);
    return netSet.RestartTcpipBinding();
}

TEST(RestartTcpipBinding, DisablesAndReEnablesTheAdaptersBindingWithAnApplyEach) {
    EXPECT_EQ(Restart(BindingPc(true)), 1);
    sim::Pc& pc = sim::CurrentPc();
    EXPECT_EQ(pc.driverSetup().calls(),
              (std::vector<std::string>{"CoCreateInstance", "AcquireWriteLock 5", "Initialize",
                                        "FindComponent", "EnumBindingPaths 2", "Enable 0", "Apply",
                                        "Enable 1", "Apply", "Uninitialize", "ReleaseWriteLock"}));
    EXPECT_EQ(pc.network().applies(), 2);
    for (const sim::BindingPathConfig& path : pc.network().bindingPaths()) {
        EXPECT_TRUE(path.enabled);
    }
    ExpectEverythingReleased(pc);
}

TEST(RestartTcpipBinding, EndsWithOneForWhateverTheEngineDoes) {
    struct Case {
        const char* what;
        bool adapterPathEnabled = true;
        std::vector<std::u16string> components = {u"MS_TCPIP"};
        std::map<std::string, uint32_t> failingCalls;
        bool writeLockHeldByOther = false;
        std::u16string adapterToken = kAdapterPath;
        int applies;
    };
    const Case cases[] = {
        {.what = "an already disabled path is only enabled",
         .adapterPathEnabled = false,
         .applies = 1},
        {.what = "no TCP/IP", .components = {}, .applies = 0},
        {.what = "no engine", .failingCalls = {{"CoCreateInstance", 0x80040154}}, .applies = 0},
        {.what = "no lock object", .failingCalls = {{"QueryInterface", 0x80004002}}, .applies = 0},
        {.what = "no paths listed",
         .failingCalls = {{"EnumBindingPaths", 0x80004005}},
         .applies = 0},
        {.what = "the lock held by another program", .writeLockHeldByOther = true, .applies = 0},
        // Off, not applied, then on again: the path ends as it was.
        {.what = "applies refused", .failingCalls = {{"Apply", 0x8004A024}}, .applies = 0},
        {.what = "no path to the adapter",
         .adapterToken = u"ms_tcpip->PCI\\VEN_168C&DEV_001B",
         .applies = 0},
        {.what = "a token without '>'", .adapterToken = kPnpId, .applies = 0},
        {.what = "a token with the id before its '>'",
         .adapterToken = kPnpId + std::u16string(u">"),
         .applies = 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::Scenario scenario = BindingPc(c.adapterPathEnabled);
        scenario.network.tcpipBindingPaths.back().token = c.adapterToken;
        scenario.driverSetup.components = c.components;
        scenario.driverSetup.failingCalls = c.failingCalls;
        scenario.driverSetup.writeLockHeldByOther = c.writeLockHeldByOther;
        EXPECT_EQ(Restart(scenario), 1);
        sim::Pc& pc = sim::CurrentPc();
        EXPECT_EQ(pc.network().applies(), c.applies);
        EXPECT_EQ(pc.network().bindingPaths().back().enabled,
                  c.adapterPathEnabled || c.applies > 0);
        ExpectEverythingReleased(pc);
    }
}

// The order the switching manager uses: a free link-local address for the test, then automatic
// configuration again, each time with TCP/IP's binding restarted.
TEST(RestartTcpipBinding, ALinkLocalAddressSetAndRecovered) {
    sim::Scenario scenario = BindingPc(true);
    scenario.network.registry[kInterface] = {{u"EnableDHCP", {4, Dword(1)}}};
    sim::Pc& pc = sim::InstallPc(scenario);
    CTAVIR_NetSet netSet;
    ASSERT_EQ(netSet.GetPnpInstanceId(kGuid), 1);
    uint32_t found = CAPIPAOrgSetting().FindFreeAddress(0);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&found);
    ASSERT_EQ(bytes[0], 169);
    ASSERT_EQ(bytes[1], 254);
    std::u16string address = u"169.254." + sim::FromUtf8(std::to_string(bytes[2])) + u"." +
                             sim::FromUtf8(std::to_string(bytes[3]));
    sim::Registry& registry = pc.network().registry();

    ASSERT_EQ(netSet.WriteTcpipInterface(address.c_str(), u"255.255.0.0", 0), 1);
    EXPECT_EQ(netSet.RestartTcpipBinding(), 1);
    EXPECT_EQ(registry.Value(kInterface, u"IPAddress")->bytes, Utf16(address, 2));
    EXPECT_EQ(registry.Value(kInterface, u"SubnetMask")->bytes, Utf16(u"255.255.0.0", 2));
    EXPECT_EQ(registry.Value(kInterface, u"EnableDHCP")->bytes, Dword(0));
    EXPECT_EQ(pc.network().applies(), 2);

    ASSERT_EQ(netSet.WriteTcpipInterface(u"0.0.0.0", u"0.0.0.0", 1), 1);
    EXPECT_EQ(netSet.RestartTcpipBinding(), 1);
    EXPECT_EQ(registry.Value(kInterface, u"IPAddress")->bytes, Utf16(u"0.0.0.0", 2));
    EXPECT_EQ(registry.Value(kInterface, u"SubnetMask")->bytes, Utf16(u"0.0.0.0", 2));
    EXPECT_EQ(registry.Value(kInterface, u"EnableDHCP")->bytes, Dword(1));
    EXPECT_EQ(pc.network().applies(), 4);
    EXPECT_TRUE(pc.network().bindingPaths().back().enabled);
    ExpectEverythingReleased(pc);
}

TEST(RestartTcpipBinding, WithoutAPnpInstanceIdLeavesComAlone) {
    struct Case {
        const char* what;
        sim::Scenario pc;
        const char16_t* guid;
    };
    sim::Scenario tooLong = BindingPc(true);
    tooLong.network.registry[kConnection] = {
        {u"PnpInstanceID", {1, Utf16(std::u16string(1500, u'p'))}}};
    const Case cases[] = {
        {"no connection key", BindingPc(true), u"{00000000-0000-0000-0000-000000000000}"},
        {"an id too long for its buffer", tooLong, kGuid},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::Pc& pc = sim::InstallPc(c.pc);
        CTAVIR_NetSet netSet;
        EXPECT_EQ(netSet.GetPnpInstanceId(c.guid), 0);
        EXPECT_EQ(netSet.RestartTcpipBinding(), 0);
        EXPECT_TRUE(pc.driverSetup().calls().empty());
        EXPECT_EQ(pc.network().comInitialized(), 0);
    }
}

}  // namespace
}  // namespace corvane
