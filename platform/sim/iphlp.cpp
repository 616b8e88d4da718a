#include "platform/iphlp.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sim/pc.h"

namespace platform {

namespace {

// A text as long as its field or longer fills it without a terminator: the core must read
// IP Helper's fields within their size.
template <size_t N>
void CopyText(char (&field)[N], const std::string& text) {
    size_t length = std::min(text.size(), N);
    std::memcpy(field, text.data(), length);
    if (length < N) {
        field[length] = '\0';
    }
}

void Fill(IpAddrString& entry, const std::string& address, const std::string& mask) {
    CopyText(entry.IpAddress, address);
    CopyText(entry.IpMask, mask);
}

// The entries past the first of a list go after all adapters, chained from the first.
void FillList(IpAddrString& first, const std::vector<sim::AdapterAddress>& entries,
              IpAddrString*& spare) {
    Fill(first, entries.empty() ? "0.0.0.0" : entries[0].address,
         entries.empty() ? "0.0.0.0" : entries[0].mask);
    IpAddrString* last = &first;
    for (size_t i = 1; i < entries.size(); ++i) {
        Fill(*spare, entries[i].address, entries[i].mask);
        last->Next = spare;
        last = spare++;
    }
}

}  // namespace

uint32_t GetAdaptersInfo(IpAdapterInfo* info, uint32_t* size) {
    const sim::NetworkConfig& network = sim::CurrentPc().network().config();
    if (network.adaptersInfoError != kErrorSuccess) {
        return network.adaptersInfoError;
    }
    if (network.adapters.empty()) {
        return kErrorNoData;
    }
    size_t spareEntries = 0;
    for (const sim::AdapterConfig& adapter : network.adapters) {
        spareEntries += std::max<size_t>(adapter.addresses.size(), 1) - 1;
        spareEntries += std::max<size_t>(adapter.gateways.size(), 1) - 1;
    }
    size_t needed =
        network.adapters.size() * sizeof(IpAdapterInfo) + spareEntries * sizeof(IpAddrString);
    if (info == nullptr || *size < needed) {
        *size = static_cast<uint32_t>(needed);
        return kErrorBufferOverflow;
    }
    std::memset(static_cast<void*>(info), 0, needed);
    auto* spare = reinterpret_cast<IpAddrString*>(info + network.adapters.size());
    for (size_t i = 0; i < network.adapters.size(); ++i) {
        const sim::AdapterConfig& adapter = network.adapters[i];
        IpAdapterInfo& entry = info[i];
        entry.Next = i + 1 < network.adapters.size() ? &info[i + 1] : nullptr;
        entry.ComboIndex = adapter.index;
        CopyText(entry.AdapterName, adapter.name);
        CopyText(entry.Description, adapter.description);
        entry.AddressLength =
            static_cast<uint32_t>(std::min(adapter.hardwareAddress.size(), sizeof entry.Address));
        std::memcpy(entry.Address, adapter.hardwareAddress.data(), entry.AddressLength);
        entry.Index = adapter.index;
        entry.Type = adapter.type;
        entry.DhcpEnabled = adapter.dhcpEnabled ? 1 : 0;
        FillList(entry.IpAddressList, adapter.addresses, spare);
        std::vector<sim::AdapterAddress> gateways;
        for (const std::string& gateway : adapter.gateways) {
            gateways.push_back({gateway, "255.255.255.255"});
        }
        FillList(entry.GatewayList, gateways, spare);
        Fill(entry.DhcpServer, "", "");
    }
    return kErrorSuccess;
}

uint32_t SendARP(uint32_t destination, uint32_t, void* macAddress, uint32_t* length) {
    sim::Network& network = sim::CurrentPc().network();
    network.arpRequests().push_back(destination);
    if (!network.Answers(destination)) {
        return kErrorBadNetName;
    }
    const uint8_t answer[6] = {0x00, 0x0C, 0x29, 0x01, 0x02, 0x03};
    *length = std::min<uint32_t>(*length, sizeof answer);
    std::memcpy(macAddress, answer, *length);
    return kErrorSuccess;
}

uint32_t inet_addr(const char* text) {
    unsigned parts[4];
    int used = 0;
    if (text == nullptr ||
        std::sscanf(text, "%3u.%3u.%3u.%3u%n", &parts[0], &parts[1], &parts[2], &parts[3], &used) !=
            4 ||
        text[used] != '\0' || std::any_of(parts, parts + 4, [](unsigned p) { return p > 255; })) {
        return 0xFFFFFFFFu;
    }
    return parts[0] | parts[1] << 8 | parts[2] << 16 | parts[3] << 24;
}

}  // namespace platform

namespace platform {

const char* inet_ntoa(uint32_t address) {
    thread_local char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", address & 0xFF, (address >> 8) & 0xFF,
                  (address >> 16) & 0xFF, address >> 24);
    return text;
}

}  // namespace platform
