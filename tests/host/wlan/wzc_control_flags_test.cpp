// Wireless Zero Configuration's ControlFlags of an interface, from the simulated registry.

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/pc.h"
#include "tests/host/netconfig/network_pc.h"
#include "wlan/wzc_control_flags.h"

namespace corvane {
namespace {

constexpr char16_t kKey[] =
    u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\"
    u"{ABCDEF01-2345-6789-ABCD-EF0123456789}";
constexpr char kAdapter[] = "{ABCDEF01-2345-6789-ABCD-EF0123456789}";

sim::Pc& WithValue(std::optional<sim::RegistryValue> value) {
    sim::NetworkConfig network;
    if (value) {
        network.registry[kKey][u"ControlFlags"] = *value;
    }
    return testing::InstallNetwork(network);
}

TEST(WzcControlFlagsTest, ReadsOnlyAFourByteDword) {
    struct Case {
        const char* what;
        std::optional<sim::RegistryValue> value;
        int result;
        uint32_t flags;
    };
    for (const Case& c : {
             Case{"configured by WZC", sim::RegistryValue{4, testing::Dword(0x8000 | 0x2)}, 1,
                  0x8002},
             Case{"zero", sim::RegistryValue{4, testing::Dword(0)}, 1, 0},
             Case{"text", sim::RegistryValue{1, testing::Utf16(u"32768")}, 0, 0xEEEE},
             Case{"four binary bytes", sim::RegistryValue{3, testing::Dword(0x8000)}, 0, 0xEEEE},
             Case{"a short DWORD", sim::RegistryValue{4, std::string("\x00\x80", 2)}, 0, 0xEEEE},
             Case{"a long DWORD", sim::RegistryValue{4, std::string(8, '\x01')}, 0, 0xEEEE},
             Case{"no value", std::nullopt, 0, 0xEEEE},
         }) {
        SCOPED_TRACE(c.what);
        sim::Pc& pc = WithValue(c.value);
        uint32_t flags = 0xEEEE;
        EXPECT_EQ(GetWZCControlFlags(kAdapter, &flags), c.result);
        EXPECT_EQ(flags, c.flags);
        EXPECT_EQ(pc.network().registry().openKeys(), 0u);
    }
}

TEST(WzcControlFlagsTest, AMissingKeyIsCreatedUnderTheAdaptersNameInTheSystemsCodePage) {
    sim::Scenario scenario;
    scenario.ansiCodePage = 932;
    sim::Pc& pc = sim::InstallPc(scenario);
    uint32_t flags = 0xEEEE;
    // "{テスト}" in Shift-JIS.
    EXPECT_EQ(GetWZCControlFlags("{\x83\x65\x83\x58\x83\x67}", &flags), 0);
    EXPECT_EQ(flags, 0xEEEEu);
    EXPECT_NE(pc.network().registry().Find(sim::Registry::Fold(
                  u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{"
                  u"\u30c6\u30b9\u30c8}")),
              nullptr);
    EXPECT_EQ(GetWZCControlFlags(nullptr, &flags), 0);
}

}  // namespace
}  // namespace corvane
