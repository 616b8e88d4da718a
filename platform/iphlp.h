#pragma once
// IP Helper and Winsock address conversion: the adapter list, ARP probes, dotted text.

#include <cstdint>

#include "platform/types.h"

namespace platform {

constexpr uint32_t kErrorBufferOverflow = 111;
constexpr uint32_t kErrorNoData = 232;
constexpr uint32_t kErrorNotSupported = 50;
constexpr uint32_t kErrorBadNetName = 67;  // SendARP: nobody answered

// IP_ADDR_STRING
struct IpAddrString {
    IpAddrString* Next;
    char IpAddress[16];
    char IpMask[16];
    uint32_t Context;
};

// IP_ADAPTER_INFO, as GetAdaptersInfo chains them in the caller's buffer.
struct IpAdapterInfo {
    IpAdapterInfo* Next;
    uint32_t ComboIndex;
    char AdapterName[260];
    char Description[132];
    uint32_t AddressLength;
    uint8_t Address[8];
    uint32_t Index;
    uint32_t Type;
    uint32_t DhcpEnabled;
    IpAddrString* CurrentIpAddress;
    IpAddrString IpAddressList;
    IpAddrString GatewayList;
    IpAddrString DhcpServer;
    int32_t HaveWins;
    IpAddrString PrimaryWinsServer;
    IpAddrString SecondaryWinsServer;
    // time_t as IP Helper writes it: pointer-sized.
    intptr_t LeaseObtained;
    intptr_t LeaseExpires;
};

// `size` holds the buffer's size and receives the size needed on ERROR_BUFFER_OVERFLOW.
uint32_t GetAdaptersInfo(IpAdapterInfo* info, uint32_t* size);
// `length` holds the hardware-address buffer's size and receives the bytes written.
uint32_t SendARP(uint32_t destination, uint32_t source, void* macAddress, uint32_t* length);
// Dotted text to an address in network byte order; INADDR_NONE for text that is not one.
uint32_t inet_addr(const char* text);
// An address in network byte order as dotted text, in a buffer of the calling thread's.
const char* inet_ntoa(uint32_t address);

}  // namespace platform
