#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/pellora2_tools.h"
#include "tests/host/netconfig/network_pc.h"

namespace corvane {
namespace {

using namespace testing;

constexpr char16_t kClass[] =
    u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\"
    u"{4D36E972-E325-11CE-BFC1-08002BE10318}\\";

// Three Net-class devices; the second carries the wireless adapter's instance id. The
// third's class key has no instance id.
sim::NetworkConfig ThreeDevices() {
    sim::NetworkConfig network;
    const std::u16string ids[] = {u"{11111111-0000-0000-0000-000000000000}",
                                  u"{ABCDEF01-2345-6789-ABCD-EF0123456789}"};
    for (int i = 0; i < 3; ++i) {
        std::u16string key = u"{4D36E972-E325-11CE-BFC1-08002BE10318}\\000" +
                             std::u16string(1, static_cast<char16_t>(u'0' + i));
        network.netDevices.push_back({key, true});
        if (i < 2) {
            network.registry[std::u16string(kClass) + key.substr(key.size() - 4)] = {
                {u"NetCfgInstanceID", {1, Utf16(ids[i])}}};
        }
    }
    return network;
}

std::vector<bool> EnabledStates(sim::Pc& pc) {
    std::vector<bool> states;
    for (const sim::NetDeviceConfig& device : pc.network().devices()) {
        states.push_back(device.enabled);
    }
    return states;
}

TEST(EnableAdapter, OffThenOnSwitchesOnlyTheMatchingDevice) {
    sim::Pc& pc = InstallNetwork(ThreeDevices());
    // Instance ids match without regard to case.
    const char16_t* id = u"{abcdef01-2345-6789-abcd-ef0123456789}";
    EXPECT_EQ(CPellora2Tools::EnableAdapter(0, id), 1);
    EXPECT_EQ(EnabledStates(pc), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(CPellora2Tools::EnableAdapter(1, id), 1);
    EXPECT_EQ(EnabledStates(pc), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(pc.network().deviceChanges(),
              (std::vector<std::string>{"disable 1", "enable global 1", "enable 1"}));
    EXPECT_TRUE(pc.network().deviceLists().empty());
    EXPECT_EQ(pc.network().registry().openKeys(), 0u);
}

TEST(EnableAdapter, AnIdThatMatchesNoDeviceChangesNothing) {
    sim::Pc& pc = InstallNetwork(ThreeDevices());
    EXPECT_EQ(CPellora2Tools::EnableAdapter(0, u"{00000000-0000-0000-0000-000000000000}"), 1);
    EXPECT_TRUE(pc.network().deviceChanges().empty());
    // A prefix of an id is not that id.
    EXPECT_EQ(CPellora2Tools::EnableAdapter(0, u"{ABCDEF01"), 1);
    EXPECT_TRUE(pc.network().deviceChanges().empty());
}

TEST(EnableAdapter, WithoutNetDevicesTheClassStillLists) {
    sim::Pc& pc = InstallNetwork({});
    EXPECT_EQ(CPellora2Tools::EnableAdapter(1, u"{X}"), 1);
    EXPECT_TRUE(pc.network().deviceChanges().empty());
}

}  // namespace
}  // namespace corvane
