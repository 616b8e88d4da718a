#include "wlan/wireless_lan_vista.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "platform/kernel.h"
#include "wlan/xml_text.h"

namespace corvane {

namespace {

constexpr uint32_t kClientVersion = 1;
constexpr size_t kInterfaceTextBytes = 64;
constexpr size_t kProfileNameUnits = 256;
constexpr size_t kSavedNameUnits = 135;

// A client handle of the WLAN service for one operation.
class WlanClient {
  public:
    explicit WlanClient(const WlanEntryPoints& api) : api_(api) {
        uint32_t negotiated = 0;
        open_ = api_.WlanOpenHandle(kClientVersion, nullptr, &negotiated, &handle_) == 0;
    }
    ~WlanClient() {
        if (open_) {
            api_.WlanCloseHandle(handle_, nullptr);
        }
    }
    WlanClient(const WlanClient&) = delete;
    WlanClient& operator=(const WlanClient&) = delete;

    bool IsOpen() const { return open_; }
    platform::WlanHandle Get() const { return handle_; }

  private:
    const WlanEntryPoints& api_;
    platform::WlanHandle handle_ = nullptr;
    bool open_ = false;
};

// Memory the WLAN service handed out, given back when it goes.
template <typename T>
class WlanMemory {
  public:
    explicit WlanMemory(const WlanEntryPoints& api) : api_(api) {}
    ~WlanMemory() {
        if (memory_ != nullptr) {
            api_.WlanFreeMemory(memory_);
        }
    }
    WlanMemory(const WlanMemory&) = delete;
    WlanMemory& operator=(const WlanMemory&) = delete;

    T** Out() { return &memory_; }
    T* Get() const { return memory_; }

  private:
    const WlanEntryPoints& api_;
    T* memory_ = nullptr;
};

// The interface's GUID from its text, "{...}" or bare. False for a text longer than its
// buffer; a text that is no GUID gives the null GUID, which the WLAN calls then refuse.
bool InterfaceGuid(const char* name, platform::Guid* guid) {
    *guid = {};
    if (name == nullptr) {
        return false;
    }
    bool braced = name[0] == '{';
    const char* from = braced ? name + 1 : name;
    char text[kInterfaceTextBytes] = {};
    size_t length = strnlen(from, sizeof text);
    if (length == sizeof text) {
        return false;
    }
    std::memcpy(text, from, length);
    if (braced) {
        // The closing brace of a GUID text stands at 36.
        for (size_t i = 1; i <= 37 && i < length; ++i) {
            if (text[i] == '}') {
                text[i] = '\0';
                break;
            }
        }
    }
    platform::UuidFromStringA(text, guid);
    return true;
}

// The interface's available networks, with the client's handle.
bool ReadNetworkList(const WlanEntryPoints& api, const WlanClient& client,
                     const platform::Guid& guid,
                     WlanMemory<platform::WlanAvailableNetworkList>& list) {
    return client.IsOpen() &&
           api.WlanGetAvailableNetworkList(client.Get(), &guid, 0, nullptr, list.Out()) == 0 &&
           list.Get() != nullptr;
}

// The profile name field, ended even when the service filled all of it.
std::u16string ProfileName(const platform::WlanAvailableNetwork& network) {
    const char16_t* name = network.strProfileName;
    return std::u16string(name, std::find(name, name + kProfileNameUnits, u'\0'));
}

}  // namespace

CWirelessLANVista::~CWirelessLANVista() {
    ClearNetworkCache();
    FreeWlanApi();
}

int CWirelessLANVista::LoadWlanApi() {
    if (IsLoaded()) {
        return 1;
    }
    // By full path: a Wlanapi.dll planted in our own folder must never run elevated.
    char16_t directory[platform::kMaxPath] = {};
    uint32_t length = platform::GetSystemDirectoryW(directory, platform::kMaxPath);
    if (length == 0 || length >= platform::kMaxPath) {
        return 0;
    }
    std::u16string path = std::u16string(directory, length) + u"\\Wlanapi.dll";
    m_hWlanApi = platform::LoadLibraryW(path.c_str());
    if (m_hWlanApi == nullptr) {
        return 0;
    }
    if (!m_api.Resolve(m_hWlanApi)) {
        FreeWlanApi();
        return 0;
    }
    return 1;
}

void CWirelessLANVista::FreeWlanApi() {
    if (IsLoaded()) {
        platform::FreeLibrary(m_hWlanApi);
        m_hWlanApi = nullptr;
    }
    m_api = {};
}

int CWirelessLANVista::RequestScan(const char* interfaceName) {
    platform::Guid guid;
    if (!IsLoaded() || !InterfaceGuid(interfaceName, &guid)) {
        return 0;
    }
    WlanClient client(m_api);
    return client.IsOpen() &&
                   m_api.WlanScan(client.Get(), &guid, nullptr, nullptr, nullptr) == 0
               ? 1
               : 0;
}

int CWirelessLANVista::GetAvailableNetwork(const char* interfaceName, int index,
                                           platform::WlanAvailableNetwork* network, int* count) {
    if (!IsLoaded()) {
        return 0;
    }
    if (index >= 0) {
        if (network == nullptr || index >= CacheSize()) {
            return 0;
        }
        if (count != nullptr) {
            *count = CacheSize();
        }
        *network = *m_networkCache[index];
        return 1;
    }
    platform::Guid guid;
    if (index != kRefresh || !InterfaceGuid(interfaceName, &guid)) {
        return 0;
    }
    ClearNetworkCache();
    WlanClient client(m_api);
    WlanMemory<platform::WlanAvailableNetworkList> list(m_api);
    if (!ReadNetworkList(m_api, client, guid, list)) {
        return 0;
    }
    if (count != nullptr) {
        *count = static_cast<int>(list.Get()->dwNumberOfItems);
    }
    for (uint32_t i = 0; i < list.Get()->dwNumberOfItems; ++i) {
        std::unique_ptr<platform::WlanAvailableNetwork> copy(
            new (std::nothrow) platform::WlanAvailableNetwork(list.Get()->Network[i]));
        if (!copy) {
            break;
        }
        m_networkCache.push_back(std::move(copy));
    }
    return 1;
}

bool CWirelessLANVista::Connect(const char* interfaceName,
                                const platform::WlanConnectionParameters& params) {
    platform::Guid guid;
    if (!InterfaceGuid(interfaceName, &guid)) {
        return false;
    }
    WlanClient client(m_api);
    return client.IsOpen() && m_api.WlanConnect(client.Get(), &guid, &params, nullptr) == 0;
}

int CWirelessLANVista::ConnectNetwork(const char* interfaceName,
                                      const platform::WlanAvailableNetwork* network) {
    if (interfaceName == nullptr || network == nullptr || !IsLoaded()) {
        return 0;
    }
    platform::Dot11Ssid ssid = network->dot11Ssid;
    if (network->dot11BssType != platform::kDot11BssTypeInfrastructure &&
        network->dot11BssType != platform::kDot11BssTypeIndependent) {
        return 1;
    }
    std::u16string profile = ProfileName(*network);
    platform::WlanConnectionParameters params{};
    if (!profile.empty()) {
        params.wlanConnectionMode = platform::kWlanConnectionModeProfile;
    } else if (network->bSecurityEnabled) {
        params.wlanConnectionMode = platform::kWlanConnectionModeDiscoverySecure;
    } else {
        params.wlanConnectionMode = platform::kWlanConnectionModeDiscoveryUnsecure;
    }
    params.strProfile = profile.c_str();
    params.pDot11Ssid = &ssid;
    params.dot11BssType = network->dot11BssType;
    return Connect(interfaceName, params) ? 1 : 0;
}

int CWirelessLANVista::Disconnect(const char* interfaceName) {
    platform::Guid guid;
    if (!IsLoaded() || !InterfaceGuid(interfaceName, &guid)) {
        return 0;
    }
    WlanClient client(m_api);
    return client.IsOpen() && m_api.WlanDisconnect(client.Get(), &guid, nullptr) == 0 ? 1 : 0;
}

int CWirelessLANVista::GetConnectedProfile(const char* interfaceName, int* connected,
                                           char16_t* xml) {
    platform::Guid guid;
    if (!IsLoaded() || xml == nullptr || !InterfaceGuid(interfaceName, &guid)) {
        return 0;
    }
    WlanClient client(m_api);
    WlanMemory<platform::WlanAvailableNetworkList> list(m_api);
    if (!ReadNetworkList(m_api, client, guid, list)) {
        return 0;
    }
    const platform::WlanAvailableNetwork* found = nullptr;
    constexpr uint32_t kConnectedWithProfile =
        platform::kWlanAvailableNetworkConnected | platform::kWlanAvailableNetworkHasProfile;
    for (uint32_t i = 0; i < list.Get()->dwNumberOfItems && found == nullptr; ++i) {
        if ((list.Get()->Network[i].dwFlags & kConnectedWithProfile) == kConnectedWithProfile) {
            found = &list.Get()->Network[i];
        }
    }
    if (connected != nullptr) {
        *connected = found != nullptr ? 1 : 0;
    }
    std::memset(xml, 0, kProfileXmlUnits * sizeof(char16_t));
    if (found == nullptr) {
        return 1;
    }
    std::u16string name = ProfileName(*found);
    WlanMemory<char16_t> profile(m_api);
    uint32_t flags = 0;
    uint32_t access = 0;
    if (m_api.WlanGetProfile(client.Get(), &guid, name.c_str(), nullptr, profile.Out(), &flags,
                             &access) != 0 ||
        profile.Get() == nullptr) {
        return 0;
    }
    const char16_t* text = profile.Get();
    size_t length = std::u16string_view(text).size();
    std::copy_n(text, std::min<size_t>(length, kProfileXmlUnits - 1), xml);
    return 1;
}

int CWirelessLANVista::SetProfile(const char* interfaceName, const char16_t* xml, int mode) {
    platform::Guid guid;
    if (!IsLoaded() || xml == nullptr || !InterfaceGuid(interfaceName, &guid)) {
        return 0;
    }
    if (mode != 0) {
        WlanClient client(m_api);
        uint32_t reason = 0;
        return client.IsOpen() && m_api.WlanSetProfile(client.Get(), &guid, 0, xml, nullptr, 1,
                                                       nullptr, &reason) == 0
                   ? 1
                   : 0;
    }
    // The profile's own name is its first name element, before the SSID's.
    std::u16string_view document(xml);
    constexpr std::u16string_view kOpen = u"<name>";
    constexpr std::u16string_view kClose = u"</name>";
    size_t start = document.find(kOpen);
    if (start == std::u16string_view::npos) {
        return 0;
    }
    std::u16string_view after = document.substr(start + kOpen.size(), kSavedNameUnits);
    size_t end = after.find(kClose);
    if (end == std::u16string_view::npos) {
        return 0;
    }
    std::u16string name = DecodeXmlEntities(after.substr(0, end));
    platform::WlanConnectionParameters params{};
    params.wlanConnectionMode = platform::kWlanConnectionModeProfile;
    params.strProfile = name.c_str();
    params.dot11BssType = platform::kDot11BssTypeAny;
    return Connect(interfaceName, params) ? 1 : 0;
}

int CWirelessLANVista::DeleteProfile(const char* interfaceName, const char16_t* profileName) {
    platform::Guid guid;
    if (!IsLoaded() || profileName == nullptr || !InterfaceGuid(interfaceName, &guid)) {
        return 0;
    }
    WlanClient client(m_api);
    return client.IsOpen() &&
                   m_api.WlanDeleteProfile(client.Get(), &guid, profileName, nullptr) == 0
               ? 1
               : 0;
}

void CWirelessLANVista::ClearNetworkCache() {
    m_networkCache.clear();
}

}  // namespace corvane
