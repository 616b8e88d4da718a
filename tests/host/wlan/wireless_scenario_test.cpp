// The back end on a scenario file's PC, with the protocol driver installed and started as a
// check run does it.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/scoped_lock.h"
#include "netconfig/service_control.h"
#include "netconfig/tavir_net_set.h"
#include "platform/protocol_driver.h"
#include "platform/sim/pc.h"
#include "tests/host/wlan/scan_rows.h"
#include "tools/scenario/scenario_file.h"
#include "wlan/wireless_lan.h"

namespace corvane {
namespace {

constexpr char16_t kLauncherFolder[] =
    u"C:\\Documents and Settings\\User\\Local Settings\\Temp\\"
    u"{1A8B078A-38DC-4efc-98E7-B6407DB6382C}\\";

TEST(WirelessScenarioTest, TheXpPcsThreeNetworksComeOutMergedAndStrongestFirst) {
    tools::ScenarioFile file =
        tools::LoadScenarioFile(CORVANE_SCENARIO_DIR "/windows-xp-wireless.json");
    sim::Pc& pc = sim::InstallPc(file.scenario);
    CWirelessLAN wlan;
    const uint8_t mac[6] = {0x00, 0x0C, 0xF1, 0x5A, 0x3B, 0x7C};
    ASSERT_EQ(wlan.SelectAdapterByMAC(mac), 1);
    // No driver yet: nothing to open.
    EXPECT_EQ(wlan.EnumNetworks(), CWirelessLAN::kAdapterNotOpened);

    CTAVIR_NetSet netSet;
    ASSERT_EQ(netSet.InstallDriverFiles(kLauncherFolder), 1);
    netSet.NetCfgSetup(1);
    CServiceControl services;
    ASSERT_EQ(services.Start(platform::kProtocolServiceName, 1), 1);

    int count = 0;
    {
        ScopedLock hold(wlan.Lock());
        count = wlan.EnumNetworks();
    }
    ASSERT_EQ(count, 3);
    EXPECT_EQ(testing::Rows(wlan, count), (std::vector<testing::Row>{
                                              {"HomeAP", -48, 1, 1, 0x01},
                                              {"PJ-Quintrel", -55, 0, 0, 0x09},
                                              {"Neighbour", -62, 1, 1, 0x02},
                                          }));
    wlan.ClearNetworks();

    ASSERT_EQ(services.Stop(platform::kProtocolServiceName, 1), 1);
    EXPECT_EQ(wlan.EnumNetworks(), CWirelessLAN::kAdapterNotOpened);
    netSet.NetCfgSetup(0);
    EXPECT_FALSE(pc.services().Find(platform::kProtocolServiceName).has_value());
    EXPECT_EQ(pc.CountObjects<sim::ProtocolOpen>(), 0u);
}

}  // namespace
}  // namespace corvane
