#include "tools/scenario/network_keys.h"

#include <gtest/gtest.h>

#include "netconfig/adapter_record.h"
#include "netconfig/tavir_net_set.h"
#include "tests/host/netconfig/network_pc.h"
#include "tools/scenario/scenario_file.h"

namespace corvane {
namespace {

using namespace testing;

TEST(NetworkKeys, AScenarioFileDescribesAdaptersRegistryDevicesAndArp) {
    const char* text = R"({
      "network": {
        "adapters": [{"name": "{A}", "description": "Wireless", "mac": "00-0C-29-AA-BB-CC",
                      "dhcp": false, "addresses": [["169.254.1.2", "255.255.0.0"]],
                      "gateways": ["169.254.1.1"], "oids": {
                        "0x00010104": {"dword": 0}, "0x00010202": {"dword": 9},
                        "0x00010110": {"word": "0x0501", "busyTimes": 2}}}],
        "registry": {
          "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\{A}\\Connection":
            {"PnpInstanceID": {"sz": "PCI\\VEN_1"}},
          "HKEY_LOCAL_MACHINE\\X": {"List": {"multiSz": ["a"]}, "N": {"dword": 7}}},
        "readOnlyKeys": ["HKEY_LOCAL_MACHINE\\X"],
        "netDevices": [{"driverKey": "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0001",
                        "enabled": false}],
        "arpAnswers": ["169.254.9.9"],
        "tcpipBindingPaths": [{"token": "ms_tcpip->PCI\\VEN_1", "enabled": false}]
      }})";
    sim::Scenario scenario = tools::ParseScenario(text).scenario;
    const sim::NetworkConfig& n = scenario.network;
    ASSERT_EQ(n.adapters.size(), 1u);
    EXPECT_EQ(n.adapters[0].hardwareAddress,
              (std::vector<uint8_t>{0x00, 0x0C, 0x29, 0xAA, 0xBB, 0xCC}));
    EXPECT_EQ(n.adapters[0].oids.at(kOidDriverVersion).busyTimes, 2u);
    EXPECT_EQ(n.registry.at(u"HKEY_LOCAL_MACHINE\\X").at(u"List").bytes, Utf16(u"a", 2));
    EXPECT_EQ(n.registry.at(u"HKEY_LOCAL_MACHINE\\X").at(u"N").bytes, Dword(7));
    EXPECT_EQ(n.readOnlyKeys.size(), 1u);
    EXPECT_FALSE(n.netDevices.at(0).enabled);
    EXPECT_EQ(n.arpAnswers.count(Ip(169, 254, 9, 9)), 1u);
    EXPECT_FALSE(n.tcpipBindingPaths.at(0).enabled);

    sim::InstallPc(scenario);
    AdapterList list;
    ASSERT_EQ(EnumerateAdapters(list), 1);
    EXPECT_EQ(list[0]->isWireless, 1);
    EXPECT_EQ(list[0]->driverVersion, 0x0501u);
    EXPECT_EQ(list[0]->dhcpEnabled, 0u);
    CTAVIR_NetSet netSet;
    EXPECT_EQ(netSet.GetPnpInstanceId(u"{A}"), 1);
    EXPECT_EQ(std::u16string(netSet.PnpInstanceId()), u"PCI\\VEN_1");
}

TEST(NetworkKeys, AValueOfNoKnownTypeIsRefused) {
    EXPECT_THROW(tools::ParseScenario(R"({"network": {"registry": {"K": {"V": {"qword": 1}}}}})"),
                 std::runtime_error);
    EXPECT_THROW(
        tools::ParseScenario(R"({"network": {"adapters": [{"name": "{A}", "mac": "zz"}]}})"),
        std::runtime_error);
}

}  // namespace
}  // namespace corvane
