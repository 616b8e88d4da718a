#pragma once
// The user-mode end of our NDIS protocol driver: opens its control device, binds the handle to
// one adapter and passes NDIS 802.11 OID queries and sets through it. One instance serves the
// whole process; it is used only under the lock of the driver back end.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ndis_802_11.h"
#include "platform/types.h"

namespace corvane {

class CWLANCtrlSV {
  public:
    static constexpr uint32_t kScanBufferSize = 16384;
    static constexpr uint32_t kScanRequestSize = 1024;
    static constexpr uint32_t kScanSettleMs = 500;
    // The ANSI buffer of an adapter's device name, and the UTF-16 units the driver takes.
    static constexpr size_t kDeviceNameBytes = 1024;
    static constexpr int kDeviceNameUnits = 256;

    static CWLANCtrlSV& Instance() { return s_instance; }
    virtual ~CWLANCtrlSV();
    CWLANCtrlSV(const CWLANCtrlSV&) = delete;
    CWLANCtrlSV& operator=(const CWLANCtrlSV&) = delete;

    // Opens the control device (closing a stale handle first) and waits for the driver's
    // bindings. 0 when the device is missing or the wait fails: no handle is then held.
    int OpenDriver();
    // Closes the device handle, if one is held. Every user of OpenDriver calls it when done.
    void CloseDriver();
    bool IsOpen() const { return m_hDevice != nullptr; }

    // Binds the open handle to the adapter of `deviceName` ("\DEVICE\{GUID}", ANSI).
    int OpenAdapter(const char* deviceName);
    // `length` bytes of the OID's value into `data`.
    int GetOIDData(uint32_t oid, void* data, uint32_t length);
    int SetOIDData(uint32_t oid, const void* data, uint32_t length);
    // The associated SSID as text into a 33-byte buffer; empty when none or on failure.
    int GetSSID(char* text);
    // An empty text drops the association.
    int SetSSID(const char* text);
    // Scans, waits for the adapter and keeps the entries of the BSSID list that name an SSID.
    int ScanBSSIDList();
    void ClearBSSIDList();
    const std::vector<std::unique_ptr<platform::NdisWlanBssid>>& BSSIDList() const {
        return m_bssidList;
    }

  private:
    CWLANCtrlSV() = default;
    static CWLANCtrlSV s_instance;
    // The raw list as the driver returned it, up to kScanBufferSize bytes.
    void ReadBSSIDList(const uint8_t* list);

    // Closed by CloseDriver, not by the destructor: the one instance outlives the system's
    // objects at exit, and no handle survives an operation of the back end anyway.
    platform::Handle m_hDevice = nullptr;
    std::vector<std::unique_ptr<platform::NdisWlanBssid>> m_bssidList;
};

}  // namespace corvane
