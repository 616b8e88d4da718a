#pragma once
// The simulated PC's network: adapters as IP Helper and their NDIS devices report them, the
// Net-class devices of the device installer, the registry, the addresses that answer ARP and
// TCP/IP's binding paths in the network configuration engine; and their state while a
// program runs.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/sim/radio_model.h"
#include "platform/sim/registry_model.h"

namespace sim {

// What an adapter's device answers to one NDIS query.
struct OidAnswer {
    std::string bytes;       // the value as the driver returns it
    uint32_t error = 0;      // a lasting failure (after the busy answers)
    uint32_t busyTimes = 0;  // ERROR_GEN_FAILURE this many times first
};

struct AdapterAddress {
    std::string address;  // dotted text as IP Helper gives it
    std::string mask;
};

struct AdapterConfig {
    std::string name;  // "{GUID}"
    std::string description;
    std::vector<uint8_t> hardwareAddress;  // up to 8 bytes
    uint32_t index = 2;
    uint32_t type = 6;  // MIB_IF_TYPE_ETHERNET
    bool dhcpEnabled = true;
    std::vector<AdapterAddress> addresses;  // none: IP Helper lists 0.0.0.0
    std::vector<std::string> gateways;
    uint32_t openError = 0;  // CreateFile on its device fails with this
    // Queries missing here fail with ERROR_NOT_SUPPORTED.
    std::map<uint32_t, OidAnswer> oids;
    // A wireless adapter's radio; none for a wired one.
    std::optional<RadioConfig> radio;
    bool protocolBound = true;  // our protocol driver binds to it
    // The virtual time from which the adapter is pulled out (as Network::Unplug); none: never.
    std::optional<uint64_t> unpluggedAtMs;
};

// A present device of the Net class, by its driver key (SPDRP_DRIVER); the Net class key of
// that name carries its NetCfgInstanceID in the registry.
struct NetDeviceConfig {
    std::u16string driverKey;
    bool enabled = true;
};

struct BindingPathConfig {
    std::u16string token;  // "ms_tcpip->{...}" style: the part after '>' names the device
    bool enabled = true;
};

struct NetworkConfig {
    std::vector<AdapterConfig> adapters;
    uint32_t adaptersInfoError = 0;  // GetAdaptersInfo fails with this whatever the size
    RegistryConfig registry;
    std::set<std::u16string> readOnlyKeys;
    std::vector<NetDeviceConfig> netDevices;
    std::set<uint32_t> arpAnswers;  // IPv4 addresses, network byte order
    bool everyAddressAnswersArp = false;
    std::vector<BindingPathConfig> tcpipBindingPaths;
    uint32_t bindWaitError = 0;  // our protocol driver's bind wait fails with this
};

// One control request sent to our protocol driver's device: its code, the input bytes and the
// output room.
struct ProtocolRequest {
    uint32_t code;
    std::string input;
    uint32_t outSize;
};

class Network {
  public:
    // The objects of the network configuration engine a program holds.
    enum class ComKind { NetCfg, Lock, Component, Bindings, PathEnum, Path };
    struct ComObject {
        ComKind kind;
        size_t position = 0;  // PathEnum: next path; Path: its index
        // Bindings and PathEnum: of TCP/IP, whose paths are modelled; other components list
        // none.
        bool tcpip = false;
    };
    // A device list of the device installer and the parameters last set on its devices.
    struct DeviceList {
        std::vector<size_t> devices;
        std::map<size_t, std::pair<uint32_t, uint32_t>> params;  // device: state change, scope
    };

    explicit Network(const NetworkConfig& config);

    const NetworkConfig& config() const { return config_; }
    Registry& registry() { return registry_; }
    const AdapterConfig* FindAdapter(const std::string& name) const;
    // The adapter is gone from IP Helper's list and its device, as when it is pulled out.
    void Unplug(const std::string& name);
    // Pulls out every adapter whose unpluggedAtMs has come by `now`.
    void UnplugDue(uint64_t now);
    OidAnswer* Answer(const std::string& adapter, uint32_t oid);
    Radio* FindRadio(const std::string& adapter);
    std::map<std::string, Radio>& radios() { return radios_; }
    std::vector<ProtocolRequest>& protocolRequests() { return protocolRequests_; }

    std::vector<NetDeviceConfig>& devices() { return devices_; }
    std::map<uintptr_t, DeviceList>& deviceLists() { return deviceLists_; }
    // "disable N" / "enable N" per state change made, N the device's index.
    std::vector<std::string>& deviceChanges() { return deviceChanges_; }

    bool Answers(uint32_t address) const;
    std::vector<uint32_t>& arpRequests() { return arpRequests_; }

    std::vector<BindingPathConfig>& bindingPaths() { return bindingPaths_; }
    std::map<uintptr_t, ComObject>& comObjects() { return comObjects_; }
    int& applies() { return applies_; }
    int& comInitialized() { return comInitialized_; }
    bool& writeLockHeld() { return writeLockHeld_; }
    // Path tokens handed out and not yet freed.
    std::set<void*>& tokens() { return tokens_; }

  private:
    NetworkConfig config_;
    Registry registry_;
    std::map<std::pair<std::string, uint32_t>, OidAnswer> answers_;
    std::map<std::string, Radio> radios_;  // by adapter name
    std::vector<ProtocolRequest> protocolRequests_;
    std::vector<NetDeviceConfig> devices_;
    std::map<uintptr_t, DeviceList> deviceLists_;
    std::vector<std::string> deviceChanges_;
    std::vector<uint32_t> arpRequests_;
    std::vector<BindingPathConfig> bindingPaths_;
    std::map<uintptr_t, ComObject> comObjects_;
    int applies_ = 0;
    int comInitialized_ = 0;
    bool writeLockHeld_ = false;
    std::set<void*> tokens_;
};

}  // namespace sim
