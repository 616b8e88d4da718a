#pragma once
// The control device of our NDIS protocol driver and its four control codes (device type
// network, buffered, read and write access).

#include <cstdint>

namespace platform {

constexpr char kProtocolDevicePath[] = "\\\\.\\CorvaneNdisProt";
constexpr char kProtocolServiceName[] = "CorvaneNdisprot";

// Input: an adapter device name "\DEVICE\{GUID}" in UTF-16 without terminator.
constexpr uint32_t kIoctlOpenDevice = 0x0012C800;
// Input and output: the OID in 4 bytes, then room for the value (queried in place).
constexpr uint32_t kIoctlQueryOidValue = 0x0012C804;
// No buffers: completes once the driver has bound to the adapters.
constexpr uint32_t kIoctlBindWait = 0x0012C810;
// Input and output: the OID in 4 bytes, then the data to set.
constexpr uint32_t kIoctlSetOidValue = 0x0012C814;

}  // namespace platform
