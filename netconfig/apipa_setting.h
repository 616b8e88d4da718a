#pragma once
// The search for a link-local address (169.254.x.y) that nobody on the network uses.

#include <cstdint>

namespace corvane {

class CAPIPAOrgSetting {
  public:
    virtual ~CAPIPAOrgSetting() = default;
    // A free address in network byte order, or 0 when every one tried answered.
    // `sourceAddress` is the ARP requests' source; 0: any interface.
    uint32_t FindFreeAddress(uint32_t sourceAddress);
};

}  // namespace corvane
