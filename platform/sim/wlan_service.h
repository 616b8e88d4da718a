#pragma once
// The native WLAN service (wlansvc) of the simulated PC: client handles, the profiles it keeps
// per interface, the network each interface is connected with, and the memory it hands out.
// The networks themselves are the adapters' radios.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/sim/network_model.h"

namespace sim {

// What the service reads of a profile document.
struct WlanProfile {
    std::u16string name;  // the first <name>
    std::u16string xml;
    std::string ssid;         // <SSIDConfig><SSID><name>
    bool independent = false;  // <connectionType>IBSS
    bool autoConnect = false;  // <connectionMode>auto
};

WlanProfile ReadProfile(const std::u16string& xml);
// A profile document as Windows writes one: ESS or IBSS, auto or manual, open or WPA2-PSK.
std::u16string MakeProfileXml(const std::u16string& name, const std::string& ssid,
                              bool independent, bool autoConnect, bool secured);

class WlanService {
  public:
    explicit WlanService(const NetworkConfig& network);

    std::set<uintptr_t>& clients() { return clients_; }
    // Memory handed out by the service and not yet freed with WlanFreeMemory.
    std::set<void*>& allocations() { return allocations_; }

    // By adapter name.
    std::vector<WlanProfile>& profiles(const std::string& adapter) { return profiles_[adapter]; }
    // The profile an interface was connected with; empty: none, or no profile.
    std::u16string& connectedProfile(const std::string& adapter) {
        return connectedProfiles_[adapter];
    }

    // Every call made, as "WlanConnect {GUID} mode 0 profile HomeAP", for the tests.
    std::vector<std::string>& calls() { return calls_; }

  private:
    std::set<uintptr_t> clients_;
    std::set<void*> allocations_;
    std::map<std::string, std::vector<WlanProfile>> profiles_;
    std::map<std::string, std::u16string> connectedProfiles_;
    std::vector<std::string> calls_;
};

}  // namespace sim
