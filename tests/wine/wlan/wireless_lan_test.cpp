// CWirelessLAN on the adapters Wine reports from the Linux host, with no protocol driver to reach
// them through: every adapter operation fails and leaves the driver channel closed.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "netconfig/adapters_info.h"
#include "platform/ndis_802_11.h"
#include "wlan/wireless_lan.h"
#include "wlan/wlan_ctrl_sv.h"

namespace corvane {
namespace {

struct Selection {
    const char* what;
    std::optional<std::vector<uint8_t>> mac;
};

// The first listed adapter's address, when Wine lists any, and no selection at all.
std::vector<Selection> Selections() {
    std::vector<Selection> selections = {{"no adapter selected", std::nullopt}};
    CAdaptersInfo adapters;
    adapters.Load();
    if (adapters.GetCount() > 0) {
        const uint8_t* address = adapters.GetAdapter(0)->Address;
        selections.push_back(
            {"the first listed adapter", std::vector<uint8_t>(address, address + 6)});
    }
    return selections;
}

TEST(WirelessLanOnWine, SelectAdapterByMacTakesTheListedAdapterOnly) {
    CAdaptersInfo adapters;
    adapters.Load();
    CWirelessLAN lan;
    // Locally administered and never a host's: no adapter has it.
    const uint8_t unknown[6] = {0x02, 0xC0, 0xA7, 0xE5, 0xE1, 0x7E};
    EXPECT_EQ(lan.SelectAdapterByMAC(unknown), 0);
    EXPECT_EQ(lan.AdapterName(), "");
    if (adapters.GetCount() == 0) {
        GTEST_SKIP() << "Wine lists no adapter on this host";
    }
    const platform::IpAdapterInfo* first = adapters.GetAdapter(0);
    EXPECT_EQ(lan.SelectAdapterByMAC(first->Address), 1);
    EXPECT_EQ(lan.AdapterName(), std::string(first->AdapterName));
}

TEST(WirelessLanOnWine, EveryAdapterOperationFailsAndLeavesTheDriverClosed) {
    CWLANCtrlSV& channel = CWLANCtrlSV::Instance();
    for (const Selection& selection : Selections()) {
        SCOPED_TRACE(selection.what);
        CWirelessLAN lan;
        if (selection.mac) {
            ASSERT_EQ(lan.SelectAdapterByMAC(selection.mac->data()), 1);
        }
        EXPECT_EQ(lan.EnumNetworks(), CWirelessLAN::kAdapterNotOpened);
        EXPECT_FALSE(channel.IsOpen());
        // No scan, so no row to read.
        char network[33] = {};
        EXPECT_EQ(lan.GetNetworkSSID(0, network), 0);

        char ssid[33];
        std::memset(ssid, 'x', sizeof ssid);
        EXPECT_EQ(lan.GetCurrentSSIDLocked(ssid), 0);
        EXPECT_FALSE(channel.IsOpen());
        EXPECT_EQ(lan.SetCurrentSSIDLocked("corvane"), 0);
        EXPECT_FALSE(channel.IsOpen());

        // The outputs keep what they held: nothing was read.
        uint32_t mode = 0xEEEE;
        EXPECT_EQ(lan.GetInfraModeLocked(&mode), 0);
        EXPECT_EQ(mode, 0xEEEEu);
        EXPECT_FALSE(channel.IsOpen());
        EXPECT_EQ(lan.SetInfraModeLocked(platform::kNdis80211Ibss), 0);
        EXPECT_FALSE(channel.IsOpen());

        uint32_t status = 0xEEEE;
        EXPECT_EQ(lan.GetEncryptionStatus(&status), 0);
        EXPECT_EQ(status, 0xEEEEu);
        EXPECT_EQ(lan.SetEncryptionStatusLocked(0), 0);
        EXPECT_FALSE(channel.IsOpen());

        uint32_t auth = 0xEEEE;
        EXPECT_EQ(lan.GetAuthMode(&auth), 0);
        EXPECT_EQ(auth, 0xEEEEu);
        const uint32_t open = 0;
        EXPECT_EQ(lan.SetAuthModeLocked(&open), 0);
        EXPECT_FALSE(channel.IsOpen());
    }
}

}  // namespace
}  // namespace corvane
