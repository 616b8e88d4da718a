#pragma once
// The driver back end's scan table, row by row, as the switching manager reads it.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "wlan/scan_result_table.h"
#include "wlan/wireless_lan.h"

namespace corvane::testing {

struct Row {
    std::string ssid;
    int32_t rssi;
    uint32_t mode;
    uint32_t privacy;
    uint8_t macLast;  // the last octet of the BSSID kept for the row
    bool operator==(const Row&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.ssid << " " << row.rssi << " mode " << row.mode << " privacy "
               << row.privacy << " mac .." << int(row.macLast);
}

inline std::vector<Row> Rows(CWirelessLAN& wlan, int count) {
    std::vector<Row> rows;
    for (int i = 0; i < count; ++i) {
        char ssid[33] = {};
        Row row{};
        EXPECT_EQ(wlan.GetNetworkSSID(i, ssid), 1);
        EXPECT_EQ(wlan.GetNetworkRSSI(i, &row.rssi), 1);
        EXPECT_EQ(wlan.GetNetworkInfraMode(i, &row.mode), 1);
        EXPECT_EQ(wlan.GetNetworkPrivacy(i, &row.privacy), 1);
        row.ssid = ssid;
        row.macLast = ScanResultTable::Instance().macs[i][5];
        rows.push_back(row);
    }
    return rows;
}

}  // namespace corvane::testing
