#include "platform/sim/network_model.h"

namespace sim {

Network::Network(const NetworkConfig& config)
    : config_(config),
      registry_(config.registry, config.readOnlyKeys),
      devices_(config.netDevices),
      bindingPaths_(config.tcpipBindingPaths) {
    for (const AdapterConfig& adapter : config.adapters) {
        for (const auto& [oid, answer] : adapter.oids) {
            answers_[{adapter.name, oid}] = answer;
        }
        if (adapter.radio.has_value()) {
            radios_.emplace(adapter.name, Radio(*adapter.radio, adapter.hardwareAddress));
        }
    }
}

const AdapterConfig* Network::FindAdapter(const std::string& name) const {
    for (const AdapterConfig& adapter : config_.adapters) {
        if (adapter.name == name) {
            return &adapter;
        }
    }
    return nullptr;
}

void Network::Unplug(const std::string& name) {
    std::erase_if(config_.adapters, [&](const AdapterConfig& a) { return a.name == name; });
}

void Network::UnplugDue(uint64_t now) {
    std::erase_if(config_.adapters, [&](const AdapterConfig& a) {
        return a.unpluggedAtMs.has_value() && *a.unpluggedAtMs <= now;
    });
}

OidAnswer* Network::Answer(const std::string& adapter, uint32_t oid) {
    auto found = answers_.find({adapter, oid});
    return found == answers_.end() ? nullptr : &found->second;
}

Radio* Network::FindRadio(const std::string& adapter) {
    auto found = radios_.find(adapter);
    return found == radios_.end() ? nullptr : &found->second;
}

bool Network::Answers(uint32_t address) const {
    return config_.everyAddressAnswersArp || config_.arpAnswers.count(address) != 0;
}

}  // namespace sim
