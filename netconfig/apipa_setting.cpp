#include "netconfig/apipa_setting.h"

#include <cstdlib>
#include <cstring>

#include "platform/iphlp.h"
#include "platform/kernel.h"

namespace corvane {

namespace {

constexpr int kAttempts = 256;
constexpr uint32_t kWaitAfterRequestMs = 1;

uint8_t Draw() {
    return static_cast<uint8_t>((std::rand() >> 4) & 0xFF);
}

}  // namespace

uint32_t CAPIPAOrgSetting::FindFreeAddress(uint32_t sourceAddress) {
    std::srand(platform::GetTickCount());
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        uint8_t x = Draw();
        uint8_t y = Draw();
        // The first and last addresses of the range are reserved.
        if ((x == 0 && y == 0) || (x == 0xFF && y == 0xFF)) {
            continue;
        }
        const uint8_t bytes[4] = {169, 254, x, y};
        uint32_t candidate = 0;
        std::memcpy(&candidate, bytes, sizeof candidate);
        uint8_t hardwareAddress[6];
        std::memset(hardwareAddress, 0xFF, sizeof hardwareAddress);
        uint32_t length = sizeof hardwareAddress;
        uint32_t result = platform::SendARP(candidate, sourceAddress, hardwareAddress, &length);
        platform::Sleep(kWaitAfterRequestMs);
        if (result != platform::kErrorSuccess) {
            return candidate;
        }
    }
    return 0;
}

}  // namespace corvane
