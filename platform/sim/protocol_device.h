#pragma once
// Our NDIS protocol driver on the simulated PC: its own core, loaded when its service runs
// (binding to every adapter NDIS offers it) and unloaded when the service stops, with the
// simulated adapters answering its OID requests as their miniports would.

#include <cstdint>
#include <map>
#include <string>

#include "platform/sim/pc.h"

namespace sim {

bool IsProtocolDevicePath(const std::string& path);
// The open, or 0 with the Windows error the open fails with.
uint32_t OpenProtocolDevice(Pc& pc);
// A control request on an open handle: 0, or the Windows error it fails with.
uint32_t ProtocolDeviceControl(Pc& pc, ProtocolOpen& open, uint32_t code, const void* in,
                               uint32_t inSize, void* out, uint32_t outSize, uint32_t* returned);
// The handle's last close.
void CloseProtocolDevice(Pc& pc, ProtocolOpen& open);

struct ProtocolDriver {
    CvCore core;
    std::map<int, std::string> adapters;  // by binding slot: the adapter's name
};

}  // namespace sim
