#include "tools/scenario/network_keys.h"

#include <cstdio>
#include <stdexcept>
#include <string>

#include "platform/sim/code_page.h"
#include "tools/scenario/json_values.h"
#include "tools/scenario/radio_keys.h"

namespace corvane::tools {

namespace {

using nlohmann::json;

std::string Dword(uint32_t value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

std::string Utf16(const std::u16string& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

sim::OidAnswer Answer(const json& answer) {
    sim::OidAnswer result;
    if (answer.contains("dword")) {
        result.bytes = Dword(Number(answer["dword"]));
    } else if (answer.contains("word")) {
        uint16_t word = static_cast<uint16_t>(Number(answer["word"]));
        result.bytes = std::string(reinterpret_cast<const char*>(&word), sizeof word);
    }
    result.error = answer.value("error", 0u);
    result.busyTimes = answer.value("busyTimes", 0u);
    return result;
}

sim::AdapterConfig Adapter(const json& adapter) {
    sim::AdapterConfig a;
    a.name = adapter.at("name").get<std::string>();
    a.description = adapter.value("description", std::string());
    if (adapter.contains("mac")) {
        a.hardwareAddress = HardwareAddress(adapter["mac"]);
    }
    a.index = adapter.value("index", a.index);
    a.type = adapter.value("type", a.type);
    a.dhcpEnabled = adapter.value("dhcp", a.dhcpEnabled);
    for (const auto& pair : adapter.value("addresses", json::array())) {
        a.addresses.push_back({pair.at(0).get<std::string>(), pair.at(1).get<std::string>()});
    }
    a.gateways = adapter.value("gateways", std::vector<std::string>{});
    a.openError = adapter.value("openError", 0u);
    const json oids = adapter.value("oids", json::object());
    for (const auto& [oid, answer] : oids.items()) {
        a.oids[Oid(oid)] = Answer(answer);
    }
    if (adapter.contains("radio")) {
        a.radio = RadioOf(adapter["radio"]);
    }
    a.protocolBound = adapter.value("protocolBound", a.protocolBound);
    if (adapter.contains("unpluggedAtMs")) {
        a.unpluggedAtMs = adapter["unpluggedAtMs"].get<uint64_t>();
    }
    return a;
}

}  // namespace

sim::RegistryValue RegistryValueOf(const json& value) {
    if (value.contains("dword")) {
        return {4, Dword(Number(value["dword"]))};
    }
    if (value.contains("sz")) {
        return {1, Utf16(sim::FromUtf8(value["sz"]) + u'\0')};
    }
    if (value.contains("multiSz")) {
        std::u16string units;
        for (const std::string& text : value["multiSz"].get<std::vector<std::string>>()) {
            units += sim::FromUtf8(text) + u'\0';
        }
        return {7, Utf16(units + u'\0')};
    }
    throw std::runtime_error(
        "a registry value is {\"dword\": n}, {\"sz\": s} or {\"multiSz\": [...]}");
}

void ApplyNetwork(const json& network, sim::Scenario& s) {
    sim::NetworkConfig& n = s.network;
    for (const json& adapter : network.value("adapters", json::array())) {
        n.adapters.push_back(Adapter(adapter));
    }
    n.adaptersInfoError = network.value("adaptersInfoError", 0u);
    const json registry = network.value("registry", json::object());
    for (const auto& [path, values] : registry.items()) {
        auto& key = n.registry[sim::FromUtf8(path)];
        for (const auto& [name, value] : values.items()) {
            key[sim::FromUtf8(name)] = RegistryValueOf(value);
        }
    }
    for (const std::string& path : network.value("readOnlyKeys", std::vector<std::string>{})) {
        n.readOnlyKeys.insert(sim::FromUtf8(path));
    }
    for (const json& device : network.value("netDevices", json::array())) {
        n.netDevices.push_back(
            {sim::FromUtf8(device.at("driverKey")), device.value("enabled", true)});
    }
    for (const std::string& address : network.value("arpAnswers", std::vector<std::string>{})) {
        unsigned b[4] = {};
        if (std::sscanf(address.c_str(), "%u.%u.%u.%u", &b[0], &b[1], &b[2], &b[3]) != 4) {
            throw std::runtime_error("an ARP answer is a dotted address, not " + address);
        }
        n.arpAnswers.insert(b[0] | b[1] << 8 | b[2] << 16 | b[3] << 24);
    }
    n.everyAddressAnswersArp = network.value("everyAddressAnswersArp", false);
    n.bindWaitError = network.value("bindWaitError", 0u);
    for (const json& path : network.value("tcpipBindingPaths", json::array())) {
        n.tcpipBindingPaths.push_back(
            {sim::FromUtf8(path.at("token")), path.value("enabled", true)});
    }
}

}  // namespace corvane::tools
