#pragma once
// Simulated PCs with one wireless adapter whose radio our protocol driver reaches.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ndis_802_11.h"
#include "platform/protocol_driver.h"
#include "platform/sim/pc.h"
#include "tests/host/netconfig/network_pc.h"

namespace corvane::testing {

constexpr char kWirelessName[] = "{ABCDEF01-2345-6789-ABCD-EF0123456789}";
constexpr char kWirelessDevice[] = "\\DEVICE\\{ABCDEF01-2345-6789-ABCD-EF0123456789}";
constexpr uint8_t kWirelessMac[6] = {0x00, 0x0C, 0x29, 0xAA, 0xBB, 0xCC};

inline sim::RadioNetwork Network(std::string ssid, int32_t rssi, uint8_t bssidLast = 1) {
    return {std::move(ssid), {0x00, 0x1A, 0x2B, 0x3C, 0x4D, bssidLast}, rssi};
}

// A Windows XP PC whose wireless adapter has `radio`, with our protocol driver running (or
// not).
inline sim::Scenario RadioPc(sim::RadioConfig radio = {}, bool driverRunning = true) {
    sim::Scenario pc;
    sim::AdapterConfig adapter = Adapter(kWirelessName, "Wireless LAN Card", 9);
    adapter.hardwareAddress.assign(kWirelessMac, kWirelessMac + 6);
    adapter.radio = std::move(radio);
    pc.network.adapters.push_back(std::move(adapter));
    pc.services.push_back({.name = platform::kProtocolServiceName,
                           .displayName = "Corvane NDIS Protocol",
                           .type = 0x01,
                           .running = driverRunning});
    return pc;
}

inline size_t OpenDriverHandles(sim::Pc& pc) {
    return pc.CountObjects<sim::ProtocolOpen>();
}

}  // namespace corvane::testing
