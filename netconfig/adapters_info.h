#pragma once
// One snapshot of the system's adapter list as IP Helper reports it.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/iphlp.h"

namespace corvane {

class CAdaptersInfo {
  public:
    static constexpr int kAlreadyLoaded = -100;
    static constexpr int kOutOfMemory = -101;
    static constexpr int kNoAdapters = -102;
    static constexpr int kNotSupported = -103;
    static constexpr int kOtherError = -104;
    static constexpr int kBadAdapter = -105;
    static constexpr int kNoEntry = -106;
    static constexpr uint32_t kNotFound = 0xFFFFFFFFu;

    virtual ~CAdaptersInfo() = default;

    int Load();
    int GetCount() const { return static_cast<int>(m_adapters.size()); }
    const platform::IpAdapterInfo* GetAdapter(int adapter) const;
    // With no `address`, the number of address entries of the adapter.
    int GetIpAddress(int adapter, int entry, uint32_t* address, uint32_t* mask) const;
    uint32_t GetGateway(int adapter, int entry) const;
    uint32_t FindIpAddressByMac(const uint8_t mac[6], uint32_t* address, uint32_t* mask,
                                uint32_t preferred) const;
    uint32_t FindGatewayByMac(const uint8_t mac[6]) const;

  private:
    int FindByMac(const uint8_t mac[6]) const;

    std::unique_ptr<uint8_t[]> m_buffer;
    std::vector<const platform::IpAdapterInfo*> m_adapters;
};

}  // namespace corvane
