// The adapter's connection lookup and its TCP/IP interface values.

#include <cstring>
#include <string>

#include "netconfig/tavir_net_set.h"
#include "netconfig/unique_keys.h"

namespace corvane {

namespace {

constexpr char16_t kNetworkClassKey[] =
    u"SYSTEM\\CurrentControlSet\\Control\\Network\\{4d36e972-e325-11ce-bfc1-08002be10318}\\";
constexpr uint32_t kPnpInstanceIdBytes = 2048;
// A multi-string value of one text: up to 255 characters and the two closing zeros.
constexpr size_t kMultiStringUnits = 257;
constexpr size_t kMaxTextUnits = 255;

void CopyText(char16_t (&buffer)[CTAVIR_NetSet::kTextUnits], const char16_t* text) {
    size_t at = 0;
    for (; at < CTAVIR_NetSet::kTextUnits - 1 && text[at] != u'\0'; ++at) {
        buffer[at] = text[at];
    }
    buffer[at] = u'\0';
}

bool WriteMultiString(platform::RegistryKey key, const char16_t* name, const char16_t* text) {
    size_t length = std::char_traits<char16_t>::length(text);
    if (length > kMaxTextUnits) {
        return false;
    }
    char16_t value[kMultiStringUnits] = {};
    std::memcpy(value, text, length * sizeof(char16_t));
    return platform::RegSetValueExW(key, name, platform::kRegMultiSz, value,
                                    static_cast<uint32_t>((length + 2) * sizeof(char16_t))) ==
           platform::kErrorSuccess;
}

}  // namespace

int CTAVIR_NetSet::GetPnpInstanceId(const char16_t* adapterGuid) {
    std::memset(m_szPnpInstanceId, 0, sizeof m_szPnpInstanceId);
    std::memset(m_szAdapterGuid, 0, sizeof m_szAdapterGuid);
    std::u16string path = kNetworkClassKey + std::u16string(adapterGuid) + u"\\Connection";
    platform::RegistryKey opened = nullptr;
    if (platform::RegOpenKeyExW(platform::LocalMachine(), path.c_str(), platform::kKeyRead,
                                &opened) != platform::kErrorSuccess) {
        return 0;
    }
    UniqueRegistryKey key(opened);
    uint32_t size = kPnpInstanceIdBytes;
    if (platform::RegQueryValueExW(key.Get(), u"PnpInstanceID", nullptr, m_szPnpInstanceId,
                                   &size) != platform::kErrorSuccess) {
        // A value too long leaves the buffer undefined; nothing of it may count as held.
        std::memset(m_szPnpInstanceId, 0, sizeof m_szPnpInstanceId);
        return 0;
    }
    // A value that fills the buffer brings no terminator of its own.
    m_szPnpInstanceId[kTextUnits - 1] = u'\0';
    CopyText(m_szAdapterGuid, adapterGuid);
    return 1;
}

int CTAVIR_NetSet::WriteTcpipInterface(const char16_t* address, const char16_t* mask,
                                       uint32_t enableDhcp) {
    // Without an adapter held the path would name the Interfaces key itself, whose values
    // belong to no adapter.
    if (address == nullptr || mask == nullptr || m_szAdapterGuid[0] == u'\0') {
        return 0;
    }
    std::u16string path = std::u16string(u"SYSTEM\\CurrentControlSet\\Services\\") +
                          u"Tcpip\\Parameters\\Interfaces" + u"\\" + m_szAdapterGuid;
    platform::RegistryKey opened = nullptr;
    if (platform::RegOpenKeyExW(platform::LocalMachine(), path.c_str(), platform::kKeyWrite,
                                &opened) != platform::kErrorSuccess) {
        return 0;
    }
    UniqueRegistryKey key(opened);
    if (!WriteMultiString(key.Get(), u"IPAddress", address) ||
        !WriteMultiString(key.Get(), u"SubnetMask", mask)) {
        return 0;
    }
    platform::RegSetValueExW(key.Get(), u"EnableDHCP", platform::kRegDword, &enableDhcp,
                             sizeof enableDhcp);
    platform::RegFlushKey(key.Get());
    return 1;
}

}  // namespace corvane
