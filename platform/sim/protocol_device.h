#pragma once
// Our NDIS protocol driver's control device on the simulated PC: there while the driver's
// service runs; a handle is bound to one adapter and passes OID requests to it.

#include <cstdint>
#include <string>

#include "platform/sim/pc.h"

namespace sim {

bool IsProtocolDevicePath(const std::string& path);
// The open, or 0 with the Windows error the open fails with.
uint32_t OpenProtocolDevice(Pc& pc);
// A control request on an open handle: 0, or the Windows error it fails with.
uint32_t ProtocolDeviceControl(Pc& pc, ProtocolOpen& open, uint32_t code, const void* in,
                               uint32_t inSize, void* out, uint32_t outSize, uint32_t* returned);

}  // namespace sim
