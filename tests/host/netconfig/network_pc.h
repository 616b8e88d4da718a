#pragma once
// Builders of simulated network PCs for the network configuration tests.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sim/pc.h"
#include "platform/sim/scenario.h"

namespace corvane::testing {

constexpr uint32_t kOidMediaInUse = 0x00010104;
constexpr uint32_t kOidPhysicalMedium = 0x00010202;
constexpr uint32_t kOidHardwareStatus = 0x00010102;
constexpr uint32_t kOidConnectStatus = 0x00010114;
constexpr uint32_t kOidDriverVersion = 0x00010110;

inline std::string Dword(uint32_t value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

inline std::string Word(uint16_t value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// One adapter's registry keys: its network connection key (with its PnP instance ID) and its
// TCP/IP interface key.
constexpr char16_t kGuid[] = u"{ABCDEF01-2345-6789-ABCD-EF0123456789}";
constexpr char16_t kConnection[] =
    u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Network\\"
    u"{4D36E972-E325-11CE-BFC1-08002BE10318}\\{ABCDEF01-2345-6789-ABCD-EF0123456789}"
    u"\\Connection";
constexpr char16_t kInterface[] =
    u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\"
    u"Interfaces\\{ABCDEF01-2345-6789-ABCD-EF0123456789}";
constexpr char16_t kPnpId[] = u"PCI\\VEN_168C&DEV_001B\\4&1B3F0A2&0&20F0";

// UTF-16LE bytes of `text`, with `zeros` terminating units.
inline std::string Utf16(const std::u16string& text, size_t zeros = 1) {
    std::u16string units = text + std::u16string(zeros, u'\0');
    return std::string(reinterpret_cast<const char*>(units.data()), units.size() * 2);
}

// An address in network byte order.
inline uint32_t Ip(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    const uint8_t bytes[4] = {a, b, c, d};
    uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// An Ethernet adapter that answers every query: ready, connected, of `physicalMedium`.
inline sim::AdapterConfig Adapter(std::string name, std::string description,
                                  uint32_t physicalMedium = 0) {
    sim::AdapterConfig adapter;
    adapter.name = std::move(name);
    adapter.description = std::move(description);
    adapter.hardwareAddress = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    adapter.addresses = {{"192.168.1.20", "255.255.255.0"}};
    adapter.gateways = {"192.168.1.1"};
    adapter.oids = {
        {kOidMediaInUse, {Dword(0)}},        {kOidPhysicalMedium, {Dword(physicalMedium)}},
        {kOidHardwareStatus, {Dword(0)}},    {kOidConnectStatus, {Dword(0)}},
        {kOidDriverVersion, {Word(0x0501)}},
    };
    return adapter;
}

inline sim::Pc& InstallNetwork(sim::NetworkConfig network) {
    sim::Scenario scenario;
    scenario.network = std::move(network);
    return sim::InstallPc(std::move(scenario));
}

}  // namespace corvane::testing
