#pragma once
// An open handle on one adapter's NDIS device, and the queries that tell its kind and state.

#include <cstdint>

#include "common/unique_handle.h"

namespace corvane {

class CNICInfo {
  public:
    static constexpr uint32_t kOidGenHardwareStatus = 0x00010102;
    static constexpr uint32_t kOidGenMediaInUse = 0x00010104;
    static constexpr uint32_t kOidGenDriverVersion = 0x00010110;
    static constexpr uint32_t kOidGenMediaConnectStatus = 0x00010114;
    static constexpr uint32_t kOidGenPhysicalMedium = 0x00010202;

    // `adapterName`: the adapter's GUID in braces, which also names its device.
    explicit CNICInfo(const char* adapterName);
    virtual ~CNICInfo() = default;

    // 0 with `length` set to the bytes returned; 1 when there is nothing to ask; else the
    // Windows error.
    uint32_t QueryOid(uint32_t oid, void* buffer, uint32_t* length);
    bool IsWireless();
    bool IsReady();
    bool IsConnected();
    uint32_t GetLastError() const { return m_dwLastError; }

  private:
    // An Ethernet-medium adapter whose `oid` answers a 4-byte value accepted by `test`.
    template <typename Test>
    bool QueryEthernetValue(uint32_t oid, Test test);

    uint32_t m_dwLastError = 0;
    UniqueHandle m_hDevice;
};

}  // namespace corvane
