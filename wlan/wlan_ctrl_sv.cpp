#include "wlan/wlan_ctrl_sv.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/device_io.h"
#include "platform/kernel.h"
#include "platform/protocol_driver.h"

namespace corvane {

namespace {

constexpr size_t kSsidOctets = sizeof platform::Ndis80211Ssid::Ssid;
constexpr size_t kEntrySize = sizeof(platform::NdisWlanBssid);

std::unique_ptr<uint8_t[]> ZeroedBuffer(size_t size) {
    return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[size]());
}

// One line per OID request; the windowed program has no standard output.
void TraceRequest(bool ok, uint32_t returned) {
    char line[64];
    if (ok) {
        std::snprintf(line, sizeof line, "GetOIDData: IoControl success, BytesReturned = %d\n",
                      static_cast<int>(returned));
    } else {
        std::snprintf(line, sizeof line, "GetOIDData: IoControl failed: %d\n",
                      static_cast<int>(platform::GetLastError()));
    }
    platform::OutputDebugStringA(line);
}

// Sends `size` bytes of `buffer` as input and takes the answer in place.
int Request(platform::Handle device, uint32_t code, uint8_t* buffer, uint32_t size) {
    uint32_t returned = 0;
    bool ok = platform::DeviceIoControl(device, code, buffer, size, buffer, size, &returned);
    TraceRequest(ok, returned);
    return ok ? 1 : 0;
}

}  // namespace

CWLANCtrlSV CWLANCtrlSV::s_instance;

CWLANCtrlSV::~CWLANCtrlSV() = default;

int CWLANCtrlSV::OpenDriver() {
    CloseDriver();
    m_hDevice = platform::CreateFileA(platform::kProtocolDevicePath,
                                      platform::kGenericRead | platform::kGenericWrite, 0,
                                      platform::kOpenExisting, platform::kFileAttributeNormal);
    if (m_hDevice == nullptr) {
        return 0;
    }
    uint32_t returned = 0;
    if (!platform::DeviceIoControl(m_hDevice, platform::kIoctlBindWait, nullptr, 0, nullptr, 0,
                                   &returned)) {
        CloseDriver();
        return 0;
    }
    return 1;
}

void CWLANCtrlSV::CloseDriver() {
    if (m_hDevice != nullptr) {
        platform::CloseHandle(m_hDevice);
        m_hDevice = nullptr;
    }
}

int CWLANCtrlSV::OpenAdapter(const char* deviceName) {
    if (m_hDevice == nullptr || deviceName == nullptr) {
        return 0;
    }
    char16_t name[kDeviceNameUnits];
    int length = static_cast<int>(strnlen(deviceName, kDeviceNameBytes));
    int units = length == 0 ? 0
                            : platform::MultiByteToWideChar(platform::kCodePageAnsi,
                                                            platform::kMbPrecomposed, deviceName,
                                                            length, name, kDeviceNameUnits);
    // A name that does not convert into the driver's limit names no adapter of ours.
    if (units <= 0) {
        return 0;
    }
    uint32_t returned = 0;
    return platform::DeviceIoControl(m_hDevice, platform::kIoctlOpenDevice, name,
                                     static_cast<uint32_t>(units) * 2, nullptr, 0, &returned)
               ? 1
               : 0;
}

int CWLANCtrlSV::GetOIDData(uint32_t oid, void* data, uint32_t length) {
    if (m_hDevice == nullptr || data == nullptr || length > UINT32_MAX - 8) {
        return 0;
    }
    uint32_t size = length + 8;
    std::unique_ptr<uint8_t[]> buffer = ZeroedBuffer(size);
    if (!buffer) {
        return 0;
    }
    std::memcpy(buffer.get(), &oid, sizeof oid);
    int result = Request(m_hDevice, platform::kIoctlQueryOidValue, buffer.get(), size);
    if (result) {
        std::memcpy(data, buffer.get() + 4, length);
    }
    return result;
}

int CWLANCtrlSV::SetOIDData(uint32_t oid, const void* data, uint32_t length) {
    if (m_hDevice == nullptr || data == nullptr || length > UINT32_MAX - 4) {
        return 0;
    }
    uint32_t size = length + 4;
    std::unique_ptr<uint8_t[]> buffer = ZeroedBuffer(size);
    if (!buffer) {
        return 0;
    }
    std::memcpy(buffer.get(), &oid, sizeof oid);
    std::memcpy(buffer.get() + 4, data, length);
    return Request(m_hDevice, platform::kIoctlSetOidValue, buffer.get(), size);
}

int CWLANCtrlSV::GetSSID(char* text) {
    if (text == nullptr) {
        return 0;
    }
    platform::Ndis80211Ssid ssid{};
    int result = GetOIDData(platform::kOid80211Ssid, &ssid, sizeof ssid);
    text[0] = '\0';
    if (result) {
        size_t length = ssid.SsidLength < kSsidOctets ? ssid.SsidLength : kSsidOctets;
        length = strnlen(reinterpret_cast<const char*>(ssid.Ssid), length);
        std::memcpy(text, ssid.Ssid, length);
        text[length] = '\0';
    }
    return result;
}

int CWLANCtrlSV::SetSSID(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    platform::Ndis80211Ssid ssid{};
    size_t length = strnlen(text, kSsidOctets);
    if (length == 0) {
        // 32 zero octets: the adapter leaves its network.
        ssid.SsidLength = kSsidOctets;
    } else {
        ssid.SsidLength = static_cast<uint32_t>(length);
        std::memcpy(ssid.Ssid, text, length);
    }
    return SetOIDData(platform::kOid80211Ssid, &ssid, sizeof ssid);
}

int CWLANCtrlSV::ScanBSSIDList() {
    std::unique_ptr<uint8_t[]> buffer = ZeroedBuffer(kScanBufferSize);
    if (!buffer) {
        return 0;
    }
    int scanned = SetOIDData(platform::kOid80211BssidListScan, buffer.get(), kScanRequestSize);
    // The adapter needs the time to listen, whether or not it took the request.
    platform::Sleep(kScanSettleMs);
    if (!scanned) {
        return 0;
    }
    ClearBSSIDList();
    std::memset(buffer.get(), 0, kScanBufferSize);
    if (!GetOIDData(platform::kOid80211BssidList, buffer.get(), kScanBufferSize)) {
        return 0;
    }
    ReadBSSIDList(buffer.get());
    return 1;
}

// The driver's counts and lengths are not trusted: an entry too short to hold the fields we
// copy, or one that would end past the buffer, ends the walk.
void CWLANCtrlSV::ReadBSSIDList(const uint8_t* list) {
    int32_t items = 0;
    std::memcpy(&items, list, sizeof items);
    size_t offset = platform::kBssidListHeaderSize;
    for (int32_t i = 0; i < items; ++i) {
        if (kScanBufferSize - offset < kEntrySize) {
            break;
        }
        uint32_t length = 0;
        std::memcpy(&length, list + offset, sizeof length);
        if (length < kEntrySize || length > kScanBufferSize - offset) {
            break;
        }
        const uint8_t* ssid = list + offset + offsetof(platform::NdisWlanBssid, Ssid.Ssid);
        // Two zero octets first: a hidden network or none at all.
        if (ssid[0] != 0 || ssid[1] != 0) {
            std::unique_ptr<platform::NdisWlanBssid> entry(new (std::nothrow)
                                                               platform::NdisWlanBssid);
            if (!entry) {
                break;
            }
            std::memcpy(entry.get(), list + offset, kEntrySize);
            m_bssidList.push_back(std::move(entry));
        }
        offset += length;
    }
}

void CWLANCtrlSV::ClearBSSIDList() {
    m_bssidList.clear();
}

}  // namespace corvane
