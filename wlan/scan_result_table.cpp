#include "wlan/scan_result_table.h"

#include <cstring>
#include <utility>

namespace corvane {

ScanResultTable& ScanResultTable::Instance() {
    static ScanResultTable table;
    return table;
}

void ScanResultTable::Clear() {
    ssids.clear();
    infrastructureModes.clear();
    rssis.clear();
    privacies.clear();
    macs.clear();
}

int ScanResultTable::Find(const char* ssid) const {
    for (int i = 0; i < Rows(); ++i) {
        if (std::strcmp(ssids[i].get(), ssid) == 0) {
            return i;
        }
    }
    return -1;
}

void ScanResultTable::Append(std::unique_ptr<char[]> ssid, uint32_t infrastructureMode,
                             int32_t rssi, uint32_t privacy, std::unique_ptr<uint8_t[]> mac) {
    ssids.push_back(std::move(ssid));
    infrastructureModes.push_back(infrastructureMode);
    rssis.push_back(rssi);
    privacies.push_back(privacy);
    macs.push_back(std::move(mac));
}

void ScanResultTable::SortByRssi() {
    for (int i = 0; i + 1 < Rows(); ++i) {
        for (int j = i + 1; j < Rows(); ++j) {
            if (rssis[i] < rssis[j]) {
                Swap(i, j);
            }
        }
    }
}

void ScanResultTable::Swap(int a, int b) {
    std::swap(ssids[a], ssids[b]);
    std::swap(infrastructureModes[a], infrastructureModes[b]);
    std::swap(rssis[a], rssis[b]);
    std::swap(privacies[a], privacies[b]);
    std::swap(macs[a], macs[b]);
}

}  // namespace corvane
