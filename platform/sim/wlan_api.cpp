#include "platform/sim/wlan_api.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <new>

#include "platform/sim/code_page.h"
#include "platform/sim/pc.h"
#include "platform/wlan.h"

namespace sim {

namespace {

using platform::Guid;
using platform::WlanAvailableNetwork;
using platform::WlanHandle;

constexpr uint32_t kErrorInvalidHandle = 6;
constexpr uint32_t kErrorNotSupported = 50;
constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kErrorAlreadyExists = 183;
constexpr uint32_t kErrorServiceNotActive = 1062;
constexpr uint32_t kErrorNotFound = 1168;
constexpr uint32_t kErrorBadProfile = 1206;
constexpr uint32_t kServiceRunning = 4;

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

std::string GuidText(const Guid& guid) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  guid.Data1, guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6],
                  guid.Data4[7]);
    return text;
}

// Checks the client handle and finds the wireless interface; 0 or the call's error.
uint32_t Interface(Pc& pc, WlanHandle client, const Guid* guid, std::string* adapter) {
    if (client == nullptr || guid == nullptr) {
        return kErrorInvalidParameter;
    }
    if (pc.wlan().clients().count(reinterpret_cast<uintptr_t>(client)) == 0) {
        return kErrorInvalidHandle;
    }
    std::string name = GuidText(*guid);
    for (const AdapterConfig& config : pc.network().config().adapters) {
        if (config.radio.has_value() && Upper(config.name) == name) {
            *adapter = config.name;
            return 0;
        }
    }
    return kErrorNotFound;
}

void Note(Pc& pc, const std::string& call, const std::string& adapter, const std::string& what) {
    pc.wlan().calls().push_back(call + " " + adapter + (what.empty() ? "" : " " + what));
}

template <typename T>
T* Hand(Pc& pc, size_t bytes) {
    void* memory = ::operator new(bytes);
    std::memset(memory, 0, bytes);
    pc.wlan().allocations().insert(memory);
    return static_cast<T*>(memory);
}

uint32_t SignalQuality(int32_t rssi) {
    return static_cast<uint32_t>(std::clamp((rssi + 100) * 2, 0, 100));
}

// The networks the interface's radio heard, once per profile that names them or once without.
std::vector<WlanAvailableNetwork> Networks(Pc& pc, const std::string& adapter) {
    Radio& radio = *pc.network().FindRadio(adapter);
    RadioSettings current = radio.Settings(pc.now());
    std::vector<RadioNetwork> groups;
    std::vector<uint32_t> bssids;
    for (const RadioNetwork& network : radio.Heard(pc.now())) {
        auto same = std::find_if(groups.begin(), groups.end(), [&](const RadioNetwork& group) {
            return group.ssid == network.ssid &&
                   group.infrastructureMode == network.infrastructureMode;
        });
        if (same == groups.end()) {
            groups.push_back(network);
            bssids.push_back(1);
        } else {
            same->rssi = std::max(same->rssi, network.rssi);
            ++bssids[same - groups.begin()];
        }
    }
    std::vector<WlanAvailableNetwork> list;
    const std::u16string& connectedProfile = pc.wlan().connectedProfile(adapter);
    for (size_t i = 0; i < groups.size(); ++i) {
        const RadioNetwork& group = groups[i];
        bool independent = group.infrastructureMode == 0;
        bool connected = !current.ssid.empty() && current.ssid == group.ssid &&
                         (current.infrastructureMode == 0) == independent;
        WlanAvailableNetwork entry{};
        entry.dot11Ssid.uSSIDLength = static_cast<uint32_t>(std::min<size_t>(group.ssid.size(), 32));
        std::memcpy(entry.dot11Ssid.ucSSID, group.ssid.data(), entry.dot11Ssid.uSSIDLength);
        entry.dot11BssType = independent ? platform::kDot11BssTypeIndependent
                                         : platform::kDot11BssTypeInfrastructure;
        entry.uNumberOfBssids = bssids[i];
        entry.bNetworkConnectable = 1;
        entry.uNumberOfPhyTypes = 1;
        entry.dot11PhyTypes[0] = 6;  // dot11_phy_type_erp
        entry.wlanSignalQuality = group.signalQuality.value_or(SignalQuality(group.rssi));
        entry.bSecurityEnabled = group.privacy != 0 ? 1 : 0;
        entry.dot11DefaultAuthAlgorithm = group.privacy != 0 ? 7 : 1;  // RSNA-PSK or open
        entry.dot11DefaultCipherAlgorithm = group.privacy != 0 ? 4 : 0;  // CCMP or none
        bool listed = false;
        for (const WlanProfile& profile : pc.wlan().profiles(adapter)) {
            if (profile.ssid != group.ssid || profile.independent != independent) {
                continue;
            }
            WlanAvailableNetwork named = entry;
            std::copy_n(profile.name.begin(), std::min<size_t>(profile.name.size(), 255),
                        named.strProfileName);
            named.dwFlags = platform::kWlanAvailableNetworkHasProfile |
                            (connected && connectedProfile == profile.name
                                 ? platform::kWlanAvailableNetworkConnected
                                 : 0);
            list.push_back(named);
            listed = true;
        }
        if (!listed) {
            entry.dwFlags = connected ? platform::kWlanAvailableNetworkConnected : 0;
            list.push_back(entry);
        }
    }
    return list;
}

void Disconnect(Pc& pc, const std::string& adapter) {
    Radio& radio = *pc.network().FindRadio(adapter);
    radio.Connect("", radio.Settings(pc.now()).infrastructureMode, pc.now());
    pc.wlan().connectedProfile(adapter).clear();
}

WlanProfile* FindProfile(Pc& pc, const std::string& adapter, const std::u16string& name) {
    for (WlanProfile& profile : pc.wlan().profiles(adapter)) {
        if (FoldCase(profile.name) == FoldCase(name)) {
            return &profile;
        }
    }
    return nullptr;
}

uint32_t PLATFORM_API CloseHandle(WlanHandle client, void* reserved) {
    if (client == nullptr || reserved != nullptr) {
        return kErrorInvalidParameter;
    }
    return CurrentPc().wlan().clients().erase(reinterpret_cast<uintptr_t>(client)) == 1
               ? 0
               : kErrorInvalidHandle;
}

uint32_t PLATFORM_API OpenHandle(uint32_t version, void* reserved, uint32_t* negotiated,
                                 WlanHandle* client) {
    Pc& pc = CurrentPc();
    if (negotiated == nullptr || client == nullptr || version == 0 || reserved != nullptr) {
        return kErrorInvalidParameter;
    }
    std::optional<size_t> service = pc.services().Find("wlansvc");
    if (!service.has_value() || pc.services().At(*service, pc.now()).state != kServiceRunning) {
        return kErrorServiceNotActive;
    }
    uintptr_t id = pc.NextId();
    pc.wlan().clients().insert(id);
    *negotiated = version >= 2 ? 2 : 1;
    *client = reinterpret_cast<WlanHandle>(id);
    return 0;
}

uint32_t PLATFORM_API Scan(WlanHandle client, const Guid* guid, const platform::Dot11Ssid*,
                           const void*, void*) {
    Pc& pc = CurrentPc();
    std::string adapter;
    uint32_t error = Interface(pc, client, guid, &adapter);
    if (error == 0) {
        Note(pc, "WlanScan", adapter, "");
        pc.network().FindRadio(adapter)->Scan();
    }
    return error;
}

void PLATFORM_API FreeMemory(void* memory) {
    if (CurrentPc().wlan().allocations().erase(memory) == 1) {
        ::operator delete(memory);
    }
}

uint32_t PLATFORM_API GetAvailableNetworkList(WlanHandle client, const Guid* guid, uint32_t,
                                              void*, platform::WlanAvailableNetworkList** out) {
    Pc& pc = CurrentPc();
    std::string adapter;
    uint32_t error = Interface(pc, client, guid, &adapter);
    if (error != 0 || out == nullptr) {
        return error != 0 ? error : kErrorInvalidParameter;
    }
    std::vector<WlanAvailableNetwork> networks = Networks(pc, adapter);
    size_t bytes = 8 + std::max<size_t>(networks.size(), 1) * sizeof(WlanAvailableNetwork);
    auto* list = Hand<platform::WlanAvailableNetworkList>(pc, bytes);
    list->dwNumberOfItems = static_cast<uint32_t>(networks.size());
    std::copy(networks.begin(), networks.end(), list->Network);
    *out = list;
    return 0;
}

uint32_t PLATFORM_API Connect(WlanHandle client, const Guid* guid,
                              const platform::WlanConnectionParameters* parameters, void*) {
    Pc& pc = CurrentPc();
    std::string adapter;
    uint32_t error = Interface(pc, client, guid, &adapter);
    if (error != 0 || parameters == nullptr) {
        return error != 0 ? error : kErrorInvalidParameter;
    }
    Radio& radio = *pc.network().FindRadio(adapter);
    std::u16string profileName = parameters->strProfile == nullptr ? u"" : parameters->strProfile;
    if (parameters->wlanConnectionMode == platform::kWlanConnectionModeProfile) {
        const WlanProfile* profile = FindProfile(pc, adapter, profileName);
        Note(pc, "WlanConnect", adapter, "profile " + ToUtf8(profileName));
        if (profile == nullptr) {
            return kErrorNotFound;
        }
        radio.Connect(profile->ssid, profile->independent ? 0 : 1, pc.now());
        pc.wlan().connectedProfile(adapter) = profile->name;
        return 0;
    }
    const platform::Dot11Ssid* ssid = parameters->pDot11Ssid;
    bool discovery =
        parameters->wlanConnectionMode == platform::kWlanConnectionModeDiscoverySecure ||
        parameters->wlanConnectionMode == platform::kWlanConnectionModeDiscoveryUnsecure;
    if (!discovery || ssid == nullptr || ssid->uSSIDLength > 32 ||
        (parameters->dot11BssType != platform::kDot11BssTypeInfrastructure &&
         parameters->dot11BssType != platform::kDot11BssTypeIndependent)) {
        return kErrorInvalidParameter;
    }
    std::string name(reinterpret_cast<const char*>(ssid->ucSSID), ssid->uSSIDLength);
    Note(pc, "WlanConnect", adapter,
         "mode " + std::to_string(parameters->wlanConnectionMode) + " ssid " + name);
    radio.Connect(name, parameters->dot11BssType == platform::kDot11BssTypeIndependent ? 0 : 1,
                  pc.now());
    pc.wlan().connectedProfile(adapter).clear();
    return 0;
}

uint32_t PLATFORM_API QueryInterface(WlanHandle client, const Guid* guid, uint32_t, void*,
                                     uint32_t*, void**, uint32_t*) {
    std::string adapter;
    uint32_t error = Interface(CurrentPc(), client, guid, &adapter);
    return error != 0 ? error : kErrorNotSupported;
}

uint32_t PLATFORM_API SetInterface(WlanHandle client, const Guid* guid, uint32_t, uint32_t,
                                   const void*, void*) {
    std::string adapter;
    uint32_t error = Interface(CurrentPc(), client, guid, &adapter);
    return error != 0 ? error : kErrorNotSupported;
}

uint32_t PLATFORM_API DisconnectInterface(WlanHandle client, const Guid* guid, void*) {
    Pc& pc = CurrentPc();
    std::string adapter;
    uint32_t error = Interface(pc, client, guid, &adapter);
    if (error == 0) {
        Note(pc, "WlanDisconnect", adapter, "");
        Disconnect(pc, adapter);
    }
    return error;
}

uint32_t PLATFORM_API GetProfile(WlanHandle client, const Guid* guid, const char16_t* name, void*,
                                 char16_t** xml, uint32_t* flags, uint32_t* access) {
    Pc& pc = CurrentPc();
    std::string adapter;
    uint32_t error = Interface(pc, client, guid, &adapter);
    if (error != 0 || name == nullptr || xml == nullptr) {
        return error != 0 ? error : kErrorInvalidParameter;
    }
    const WlanProfile* profile = FindProfile(pc, adapter, name);
    if (profile == nullptr) {
        return kErrorNotFound;
    }
    char16_t* copy = Hand<char16_t>(pc, (profile->xml.size() + 1) * sizeof(char16_t));
    std::copy(profile->xml.begin(), profile->xml.end(), copy);
    *xml = copy;
    if (flags != nullptr) {
        *flags = 0;
    }
    if (access != nullptr) {
        *access = 0x000F001F;  // WLAN_READ_ACCESS | WLAN_EXECUTE_ACCESS | WLAN_WRITE_ACCESS
    }
    return 0;
}

uint32_t PLATFORM_API SetProfile(WlanHandle client, const Guid* guid, uint32_t,
                                 const char16_t* xml, const char16_t*, int32_t overwrite, void*,
                                 uint32_t* reason) {
    Pc& pc = CurrentPc();
    std::string adapter;
    uint32_t error = Interface(pc, client, guid, &adapter);
    if (error != 0 || xml == nullptr || reason == nullptr) {
        return error != 0 ? error : kErrorInvalidParameter;
    }
    WlanProfile profile = ReadProfile(xml);
    Note(pc, "WlanSetProfile", adapter, ToUtf8(profile.name));
    *reason = 0;
    if (profile.name.empty() || profile.ssid.empty()) {
        *reason = 0x80000;  // WLAN_REASON_CODE_INVALID_PROFILE_SCHEMA
        return kErrorBadProfile;
    }
    if (WlanProfile* existing = FindProfile(pc, adapter, profile.name)) {
        if (!overwrite) {
            return kErrorAlreadyExists;
        }
        *existing = profile;
    } else {
        pc.wlan().profiles(adapter).push_back(profile);
    }
    // The service's automatic configuration joins a network of an automatic profile as soon
    // as the interface is free and the network in range.
    Radio& radio = *pc.network().FindRadio(adapter);
    if (profile.autoConnect && radio.Settings(pc.now()).ssid.empty() &&
        radio.InRange(profile.ssid)) {
        radio.Connect(profile.ssid, profile.independent ? 0 : 1, pc.now());
        pc.wlan().connectedProfile(adapter) = profile.name;
    }
    return 0;
}

uint32_t PLATFORM_API DeleteProfile(WlanHandle client, const Guid* guid, const char16_t* name,
                                    void*) {
    Pc& pc = CurrentPc();
    std::string adapter;
    uint32_t error = Interface(pc, client, guid, &adapter);
    if (error != 0 || name == nullptr) {
        return error != 0 ? error : kErrorInvalidParameter;
    }
    Note(pc, "WlanDeleteProfile", adapter, ToUtf8(name));
    std::vector<WlanProfile>& profiles = pc.wlan().profiles(adapter);
    auto found = std::find_if(profiles.begin(), profiles.end(), [&](const WlanProfile& p) {
        return FoldCase(p.name) == FoldCase(name);
    });
    if (found == profiles.end()) {
        return kErrorNotFound;
    }
    // The network it connected stays no longer.
    if (FoldCase(pc.wlan().connectedProfile(adapter)) == FoldCase(found->name)) {
        Disconnect(pc, adapter);
    }
    profiles.erase(found);
    return 0;
}

const std::map<std::string, void*>& EntryPoints() {
    static const std::map<std::string, void*> entries = {
        {"WlanCloseHandle", reinterpret_cast<void*>(&CloseHandle)},
        {"WlanOpenHandle", reinterpret_cast<void*>(&OpenHandle)},
        {"WlanScan", reinterpret_cast<void*>(&Scan)},
        {"WlanFreeMemory", reinterpret_cast<void*>(&FreeMemory)},
        {"WlanGetAvailableNetworkList", reinterpret_cast<void*>(&GetAvailableNetworkList)},
        {"WlanConnect", reinterpret_cast<void*>(&Connect)},
        {"WlanQueryInterface", reinterpret_cast<void*>(&QueryInterface)},
        {"WlanSetInterface", reinterpret_cast<void*>(&SetInterface)},
        {"WlanDisconnect", reinterpret_cast<void*>(&DisconnectInterface)},
        {"WlanGetProfile", reinterpret_cast<void*>(&GetProfile)},
        {"WlanSetProfile", reinterpret_cast<void*>(&SetProfile)},
        {"WlanDeleteProfile", reinterpret_cast<void*>(&DeleteProfile)},
    };
    return entries;
}

}  // namespace

void* WlanApiModule() {
    static char module;
    return &module;
}

void* WlanEntryPoint(const std::string& name) {
    auto found = EntryPoints().find(name);
    if (found == EntryPoints().end() || CurrentPc().scenario().wlanApiMissing.count(name) != 0) {
        return nullptr;
    }
    return found->second;
}

}  // namespace sim

namespace platform {

uint32_t UuidFromStringA(const char* text, Guid* uuid) {
    constexpr uint32_t kInvalidUuid = 1705;  // RPC_S_INVALID_STRING_UUID
    unsigned parts[11];
    int used = 0;
    if (text == nullptr || uuid == nullptr || std::strlen(text) != 36 ||
        std::sscanf(text, "%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x%n", &parts[0], &parts[1],
                    &parts[2], &parts[3], &parts[4], &parts[5], &parts[6], &parts[7], &parts[8],
                    &parts[9], &parts[10], &used) != 11 ||
        used != 36) {
        return kInvalidUuid;
    }
    uuid->Data1 = parts[0];
    uuid->Data2 = static_cast<uint16_t>(parts[1]);
    uuid->Data3 = static_cast<uint16_t>(parts[2]);
    for (int i = 0; i < 8; ++i) {
        uuid->Data4[i] = static_cast<uint8_t>(parts[3 + i]);
    }
    return 0;
}

}  // namespace platform
