#pragma once
// The networks of the driver back end's last scan, merged by SSID: five parallel lists, row i
// of each describing the same network. One table serves the whole process.

#include <cstdint>
#include <memory>
#include <vector>

namespace corvane {

struct ScanResultTable {
    static constexpr size_t kSsidBytes = 33;  // 32 octets and a terminator
    static constexpr size_t kMacBytes = 6;

    std::vector<std::unique_ptr<char[]>> ssids;
    std::vector<uint32_t> infrastructureModes;
    std::vector<int32_t> rssis;
    std::vector<uint32_t> privacies;
    std::vector<std::unique_ptr<uint8_t[]>> macs;

    static ScanResultTable& Instance();

    int Rows() const { return static_cast<int>(ssids.size()); }
    bool IsRow(int index) const { return index >= 0 && index < Rows(); }
    void Clear();
    // The row whose SSID text equals `ssid` byte for byte, or -1.
    int Find(const char* ssid) const;
    void Append(std::unique_ptr<char[]> ssid, uint32_t infrastructureMode, int32_t rssi,
                uint32_t privacy, std::unique_ptr<uint8_t[]> mac);
    // Strongest first, by an exchange sort that never swaps equal values.
    void SortByRssi();

  private:
    void Swap(int a, int b);
};

}  // namespace corvane
