#include "netconfig/adapters_info.h"

#include <cstring>
#include <new>

namespace corvane {

namespace {

// One IP_ADAPTER_INFO entry as 32-bit Windows lays it out: most PCs have one adapter.
constexpr uint32_t kFirstTrySize = 648;

const platform::IpAddrString* Entry(const platform::IpAddrString& list, int entry) {
    const platform::IpAddrString* at = &list;
    for (int i = 0; i < entry && at != nullptr; ++i) {
        at = at->Next;
    }
    return at;
}

int CountEntries(const platform::IpAddrString& list) {
    int count = 0;
    for (const platform::IpAddrString* at = &list; at != nullptr; at = at->Next) {
        ++count;
    }
    return count;
}

}  // namespace

int CAdaptersInfo::Load() {
    if (m_buffer) {
        return kAlreadyLoaded;
    }
    uint32_t size = kFirstTrySize;
    m_buffer.reset(new (std::nothrow) uint8_t[size]);
    if (!m_buffer) {
        return kOutOfMemory;
    }
    auto* first = reinterpret_cast<platform::IpAdapterInfo*>(m_buffer.get());
    uint32_t result = platform::GetAdaptersInfo(first, &size);
    if (result == platform::kErrorBufferOverflow) {
        m_buffer.reset(new (std::nothrow) uint8_t[size]);
        if (!m_buffer) {
            return kOutOfMemory;
        }
        first = reinterpret_cast<platform::IpAdapterInfo*>(m_buffer.get());
        result = platform::GetAdaptersInfo(first, &size);
    }
    if (result != platform::kErrorSuccess) {
        m_buffer.reset();
        switch (result) {
            case platform::kErrorNoData:
                return kNoAdapters;
            case platform::kErrorNotSupported:
                return kNotSupported;
            default:
                return kOtherError;
        }
    }
    for (const platform::IpAdapterInfo* at = first; at != nullptr; at = at->Next) {
        m_adapters.push_back(at);
    }
    return 0;
}

const platform::IpAdapterInfo* CAdaptersInfo::GetAdapter(int adapter) const {
    if (adapter < 0 || adapter >= GetCount()) {
        return nullptr;
    }
    return m_adapters[adapter];
}

int CAdaptersInfo::GetIpAddress(int adapter, int entry, uint32_t* address, uint32_t* mask) const {
    const platform::IpAdapterInfo* info = GetAdapter(adapter);
    if (info == nullptr) {
        return kBadAdapter;
    }
    if (address == nullptr) {
        return CountEntries(info->IpAddressList);
    }
    const platform::IpAddrString* at = entry < 0 ? nullptr : Entry(info->IpAddressList, entry);
    if (at == nullptr) {
        return kNoEntry;
    }
    *address = platform::inet_addr(at->IpAddress);
    if (mask != nullptr) {
        *mask = platform::inet_addr(at->IpMask);
    }
    return 0;
}

uint32_t CAdaptersInfo::GetGateway(int adapter, int entry) const {
    const platform::IpAdapterInfo* info = GetAdapter(adapter);
    const platform::IpAddrString* at =
        info == nullptr || entry < 0 ? nullptr : Entry(info->GatewayList, entry);
    return at == nullptr ? 0 : platform::inet_addr(at->IpAddress);
}

int CAdaptersInfo::FindByMac(const uint8_t mac[6]) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (std::memcmp(m_adapters[i]->Address, mac, 6) == 0) {
            return i;
        }
    }
    return -1;
}

uint32_t CAdaptersInfo::FindIpAddressByMac(const uint8_t mac[6], uint32_t* address, uint32_t* mask,
                                           uint32_t preferred) const {
    int adapter = FindByMac(mac);
    if (adapter < 0) {
        return kNotFound;
    }
    uint32_t found = kNotFound;
    uint32_t read = 0;
    uint32_t readMask = 0;
    int entries = GetIpAddress(adapter, 0, nullptr, nullptr);
    for (int entry = 0; entry < entries; ++entry) {
        // Read through locals: a caller may not want the address or the mask.
        GetIpAddress(adapter, entry, &read, &readMask);
        if (address != nullptr) {
            *address = read;
        }
        if (mask != nullptr) {
            *mask = readMask;
        }
        found = read;
        if (found == 0 || found == preferred) {
            break;
        }
    }
    return found;
}

uint32_t CAdaptersInfo::FindGatewayByMac(const uint8_t mac[6]) const {
    int adapter = FindByMac(mac);
    if (adapter < 0) {
        return kNotFound;
    }
    uint32_t gateway = kNotFound;
    int entries = GetIpAddress(adapter, 0, nullptr, nullptr);
    for (int entry = 0; entry < entries; ++entry) {
        uint32_t address = 0;
        GetIpAddress(adapter, entry, &address, nullptr);
        gateway = GetGateway(adapter, entry);
        if (address == 0) {
            break;
        }
    }
    return gateway;
}

}  // namespace corvane
