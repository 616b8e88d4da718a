// CWLANCtrlSV against Wine, where our protocol driver's control device does not exist.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>

#include "platform/kernel.h"
#include "platform/ndis_802_11.h"
#include "platform/types.h"
#include "wlan/wlan_ctrl_sv.h"

namespace corvane {
namespace {

constexpr char kDevice[] = "\\DEVICE\\{C0A7E5E1-7E57-4C0D-9A11-0000C0FFEE21}";

TEST(ChannelOnWine, WithoutTheDriverNothingOpensAndNoRequestIsAnswered) {
    CWLANCtrlSV& channel = CWLANCtrlSV::Instance();
    // Twice: the second open starts from a closed channel as the first did.
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        EXPECT_EQ(channel.OpenDriver(), 0);
        // The open did reach the device namespace and found no such device there.
        EXPECT_EQ(platform::GetLastError(), platform::kErrorFileNotFound);
        EXPECT_FALSE(channel.IsOpen());
    }

    EXPECT_EQ(channel.OpenAdapter(kDevice), 0);
    std::array<uint8_t, 16> data;
    data.fill(0xA5);
    const std::array<uint8_t, 16> untouched = data;
    EXPECT_EQ(channel.GetOIDData(platform::kOid80211InfrastructureMode, data.data(), 4), 0);
    EXPECT_EQ(data, untouched);
    EXPECT_EQ(channel.SetOIDData(platform::kOid80211InfrastructureMode, data.data(), 4), 0);

    char ssid[33];
    std::memset(ssid, 'x', sizeof ssid);
    EXPECT_EQ(channel.GetSSID(ssid), 0);
    EXPECT_STREQ(ssid, "");
    EXPECT_EQ(channel.SetSSID("corvane"), 0);
    EXPECT_FALSE(channel.IsOpen());

    // Closing a channel that holds nothing is harmless.
    channel.CloseDriver();
    EXPECT_FALSE(channel.IsOpen());
}

}  // namespace
}  // namespace corvane
