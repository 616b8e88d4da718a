#pragma once
// One network adapter as the switching manager lists it, and the enumeration that fills the
// list.

#include <cstdint>
#include <memory>
#include <vector>

namespace corvane {

struct AdapterRecord {
    char name[260];  // the adapter's GUID in braces; also its NDIS device's name
    char description[132];
    uint32_t ipAddress;  // network byte order
    uint32_t subnetMask;
    uint32_t gateway;
    uint8_t macAddress[8];
    int32_t isWireless;
    int32_t isConnected;
    int32_t isReady;
    uint32_t driverVersion;  // major in the high byte, minor in the low byte
    uint32_t dhcpEnabled;
};
static_assert(sizeof(AdapterRecord) == 432);

using AdapterList = std::vector<std::unique_ptr<AdapterRecord>>;

// Empties `list` and fills it with one record per adapter of a fresh snapshot, in snapshot
// order; returns the snapshot's adapter count.
int EnumerateAdapters(AdapterList& list);

}  // namespace corvane
