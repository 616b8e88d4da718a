#include "tools/scenario/radio_keys.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace corvane::tools {

namespace {

using nlohmann::json;

uint32_t Number(const json& value) {
    return value.is_string()
               ? static_cast<uint32_t>(std::stoul(value.get<std::string>(), nullptr, 0))
               : value.get<uint32_t>();
}

// "00414243": those bytes.
std::string HexBytes(const std::string& text) {
    if (text.size() % 2 != 0) {
        throw std::runtime_error("hex bytes come in pairs of digits: " + text);
    }
    std::string bytes;
    for (size_t at = 0; at < text.size(); at += 2) {
        unsigned byte = 0;
        if (std::sscanf(text.c_str() + at, "%2x", &byte) != 1) {
            throw std::runtime_error("not hex bytes: " + text);
        }
        bytes.push_back(static_cast<char>(byte));
    }
    return bytes;
}

// "ssid" as text, or "ssidHex" for any octets.
std::string Ssid(const json& object) {
    std::string ssid = object.contains("ssidHex") ? HexBytes(object["ssidHex"])
                                                  : object.value("ssid", std::string());
    if (ssid.size() > 32) {
        throw std::runtime_error("an SSID has at most 32 octets: " + ssid);
    }
    return ssid;
}

sim::RadioNetwork Network(const json& network) {
    sim::RadioNetwork n;
    n.ssid = Ssid(network);
    n.bssid = HardwareAddress(network.at("bssid"));
    n.rssi = network.value("rssi", n.rssi);
    n.privacy = network.value("privacy", n.privacy);
    n.infrastructureMode = network.value("infrastructureMode", n.infrastructureMode);
    n.seenInScans = network.value("seenInScans", std::vector<int>{});
    return n;
}

std::map<uint32_t, sim::OidFailure> Failures(const json& failures) {
    std::map<uint32_t, sim::OidFailure> result;
    for (const auto& [oid, failure] : failures.items()) {
        sim::OidFailure f;
        if (failure.contains("error")) {
            f.error = Number(failure["error"]);
        }
        f.times = failure.value("times", f.times);
        result[static_cast<uint32_t>(std::stoul(oid, nullptr, 0))] = f;
    }
    return result;
}

sim::SsidAnswer Answer(const json& answer) {
    static const std::map<std::string, sim::SsidAnswer::Kind> kKinds = {
        {"join", sim::SsidAnswer::Kind::Join},
        {"never", sim::SsidAnswer::Kind::Never},
        {"infrastructure", sim::SsidAnswer::Kind::Infrastructure},
        {"fallBack", sim::SsidAnswer::Kind::FallBack},
        {"drop", sim::SsidAnswer::Kind::Drop},
    };
    sim::SsidAnswer a;
    std::string kind = answer.value("kind", std::string("join"));
    auto found = kKinds.find(kind);
    if (found == kKinds.end()) {
        throw std::runtime_error("an SSID answer is join, never, infrastructure, fallBack or drop");
    }
    a.kind = found->second;
    a.afterMs = answer.value("afterMs", a.afterMs);
    a.holdMs = answer.value("holdMs", a.holdMs);
    a.dropTo = answer.value("dropTo", a.dropTo);
    return a;
}

}  // namespace

std::vector<uint8_t> HardwareAddress(const std::string& text) {
    std::vector<uint8_t> bytes;
    for (size_t at = 0; at < text.size(); at += 3) {
        unsigned byte = 0;
        if (std::sscanf(text.c_str() + at, "%2x", &byte) != 1) {
            throw std::runtime_error("a hardware address reads like 00-11-22-33-44-55");
        }
        bytes.push_back(static_cast<uint8_t>(byte));
    }
    return bytes;
}

sim::RadioConfig RadioOf(const json& radio) {
    sim::RadioConfig r;
    r.ssid = Ssid(radio);
    r.infrastructureMode = radio.value("infrastructureMode", r.infrastructureMode);
    r.authMode = radio.value("authMode", r.authMode);
    r.encryption = radio.value("encryption", r.encryption);
    for (const json& network : radio.value("networks", json::array())) {
        r.networks.push_back(Network(network));
    }
    r.failingQueries = Failures(radio.value("failingQueries", json::object()));
    r.failingSets = Failures(radio.value("failingSets", json::object()));
    const json raw = radio.value("rawAnswers", json::object());
    for (const auto& [oid, hex] : raw.items()) {
        r.rawAnswers[static_cast<uint32_t>(std::stoul(oid, nullptr, 0))] = HexBytes(hex);
    }
    if (radio.contains("answer")) {
        r.answer = Answer(radio["answer"]);
    }
    r.ownNetworkRssi = radio.value("ownNetworkRssi", r.ownNetworkRssi);
    return r;
}

}  // namespace corvane::tools
