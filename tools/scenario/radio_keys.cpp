#include "tools/scenario/radio_keys.h"

#include <stdexcept>
#include <string>

#include "platform/sim/code_page.h"
#include "platform/sim/wlan_service.h"
#include "tools/scenario/json_values.h"

namespace corvane::tools {

namespace {

using nlohmann::json;

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
    if (network.contains("signalQuality")) {
        n.signalQuality = network["signalQuality"].get<uint32_t>();
    }
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
        result[Oid(oid)] = f;
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
        {"unreported", sim::SsidAnswer::Kind::Unreported},
    };
    sim::SsidAnswer a;
    std::string kind = answer.value("kind", std::string("join"));
    auto found = kKinds.find(kind);
    if (found == kKinds.end()) {
        throw std::runtime_error(
            "an SSID answer is join, never, infrastructure, fallBack, drop or unreported");
    }
    a.kind = found->second;
    a.afterMs = answer.value("afterMs", a.afterMs);
    a.holdMs = answer.value("holdMs", a.holdMs);
    a.dropTo = answer.value("dropTo", a.dropTo);
    return a;
}

}  // namespace

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
        r.rawAnswers[Oid(oid)] = HexBytes(hex);
    }
    if (radio.contains("answer")) {
        r.answer = Answer(radio["answer"]);
    }
    r.ownNetworkRssi = radio.value("ownNetworkRssi", r.ownNetworkRssi);
    for (const json& profile : radio.value("profiles", json::array())) {
        if (profile.contains("xml")) {
            r.profiles.push_back(sim::FromUtf8(profile["xml"]));
            continue;
        }
        std::string ssid = Ssid(profile);
        r.profiles.push_back(
            sim::MakeProfileXml(sim::FromUtf8(profile.value("name", ssid)), ssid,
                                profile.value("connectionType", std::string("ESS")) == "IBSS",
                                profile.value("connectionMode", std::string("auto")) == "auto",
                                profile.value("secured", false)));
    }
    return r;
}

}  // namespace corvane::tools
