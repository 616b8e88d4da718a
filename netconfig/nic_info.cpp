#include "netconfig/nic_info.h"

#include <cstring>

#include "platform/device_io.h"
#include "platform/kernel.h"

namespace corvane {

namespace {

constexpr uint32_t kIoctlNdisQueryGlobalStats = 0x00170002;
// Adapters answer busy for a while after a reset.
constexpr int kQueryAttempts = 20;
constexpr uint32_t kBusyWaitMs = 10;

constexpr uint32_t kNdisMedium802_3 = 0;
constexpr uint32_t kNdisPhysicalMediumWirelessLan = 1;
constexpr uint32_t kNdisPhysicalMediumNative802_11 = 9;
constexpr uint32_t kNdisHardwareStatusReady = 0;
constexpr uint32_t kNdisMediaStateConnected = 0;

}  // namespace

CNICInfo::CNICInfo(const char* adapterName) {
    char path[4 + 260] = "\\\\.\\";
    // The name may be IP Helper's field itself, filled to its end.
    size_t length = strnlen(adapterName, sizeof path - 5);
    std::memcpy(path + 4, adapterName, length);
    path[4 + length] = '\0';
    m_hDevice.Reset(platform::CreateFileA(
        path, platform::kGenericRead,
        platform::kFileShareRead | platform::kFileShareWrite | platform::kFileShareDelete,
        platform::kOpenExisting, platform::kFileAttributeNormal));
    if (!m_hDevice) {
        m_dwLastError = platform::GetLastError();
    }
}

uint32_t CNICInfo::QueryOid(uint32_t oid, void* buffer, uint32_t* length) {
    if (!m_hDevice || buffer == nullptr || length == nullptr || *length == 0) {
        return 1;
    }
    uint32_t error = 0;
    for (int attempt = 1; attempt <= kQueryAttempts; ++attempt) {
        uint32_t returned = 0;
        if (platform::DeviceIoControl(m_hDevice.Get(), kIoctlNdisQueryGlobalStats, &oid, sizeof oid,
                                      buffer, *length, &returned)) {
            *length = returned;
            return 0;
        }
        error = platform::GetLastError();
        if (error != platform::kErrorGenFailure || attempt == kQueryAttempts) {
            break;
        }
        platform::Sleep(kBusyWaitMs);
    }
    return error;
}

template <typename Test>
bool CNICInfo::QueryEthernetValue(uint32_t oid, Test test) {
    uint32_t media[8] = {};
    uint32_t length = sizeof media;
    if (QueryOid(kOidGenMediaInUse, media, &length) != 0 || media[0] != kNdisMedium802_3) {
        return false;
    }
    uint32_t value = 0;
    length = sizeof value;
    return QueryOid(oid, &value, &length) == 0 && test(value);
}

bool CNICInfo::IsWireless() {
    return QueryEthernetValue(kOidGenPhysicalMedium, [](uint32_t medium) {
        return medium == kNdisPhysicalMediumWirelessLan ||
               medium == kNdisPhysicalMediumNative802_11;
    });
}

bool CNICInfo::IsReady() {
    return QueryEthernetValue(kOidGenHardwareStatus,
                              [](uint32_t status) { return status == kNdisHardwareStatusReady; });
}

bool CNICInfo::IsConnected() {
    return QueryEthernetValue(kOidGenMediaConnectStatus,
                              [](uint32_t state) { return state == kNdisMediaStateConnected; });
}

}  // namespace corvane
