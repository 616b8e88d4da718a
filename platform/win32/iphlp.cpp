#include "platform/iphlp.h"

// Winsock first: IP Helper's header needs its types.
#include <winsock2.h>

#include <iphlpapi.h>

#include <cstddef>

namespace platform {

static_assert(sizeof(IpAddrString) == sizeof(IP_ADDR_STRING));
static_assert(sizeof(IpAdapterInfo) == sizeof(IP_ADAPTER_INFO));
static_assert(offsetof(IpAdapterInfo, IpAddressList) == offsetof(IP_ADAPTER_INFO, IpAddressList));
static_assert(offsetof(IpAdapterInfo, LeaseExpires) == offsetof(IP_ADAPTER_INFO, LeaseExpires));

uint32_t GetAdaptersInfo(IpAdapterInfo* info, uint32_t* size) {
    ULONG length = *size;
    DWORD result = ::GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(info), &length);
    *size = length;
    return result;
}

uint32_t SendARP(uint32_t destination, uint32_t source, void* macAddress, uint32_t* length) {
    ULONG size = *length;
    DWORD result = ::SendARP(destination, source, static_cast<ULONG*>(macAddress), &size);
    *length = size;
    return result;
}

uint32_t inet_addr(const char* text) {
    return ::inet_addr(text);
}

const char* inet_ntoa(uint32_t address) {
    in_addr value;
    value.s_addr = address;
    return ::inet_ntoa(value);
}

}  // namespace platform
