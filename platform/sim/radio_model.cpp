#include "platform/sim/radio_model.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/ndis_802_11.h"

namespace sim {

namespace {

constexpr uint32_t kErrorInvalidData = 13;
constexpr uint32_t kErrorBadLength = 24;
constexpr uint32_t kErrorNotSupported = 50;
constexpr uint32_t kErrorInsufficientBuffer = 122;

constexpr uint32_t kAuthModeMax = 8;  // Ndis802_11AuthModeMax: no mode
// Ndis802_11Encryption1Enabled, EncryptionDisabled, Encryption2Enabled, Encryption3Enabled:
// the statuses a program may set.
constexpr uint32_t kSettableEncryption[] = {0, 1, 4, 6};

// Fixed fields of a beacon (time stamp, interval, capabilities) behind each entry, as
// NDIS_WLAN_BSSID_EX carries them.
constexpr uint32_t kFixedIeBytes = 12;
constexpr uint32_t kRatesExBytes = 16;
constexpr uint32_t kEntryBytes =
    offsetof(platform::NdisWlanBssid, SupportedRates) + kRatesExBytes + 4 + kFixedIeBytes;

std::string Dword(uint32_t value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

bool TakeFailure(std::map<uint32_t, OidFailure>& failures, uint32_t oid, uint32_t& error) {
    auto found = failures.find(oid);
    if (found == failures.end() || found->second.times == 0) {
        return false;
    }
    if (found->second.times != UINT32_MAX) {
        --found->second.times;
    }
    error = found->second.error;
    return true;
}

std::string Entry(const RadioNetwork& network) {
    std::string bytes(kEntryBytes, '\0');
    platform::NdisWlanBssid entry{};
    entry.Length = kEntryBytes;
    std::copy_n(network.bssid.begin(), std::min<size_t>(network.bssid.size(), 6), entry.MacAddress);
    size_t length = std::min<size_t>(network.ssid.size(), sizeof entry.Ssid.Ssid);
    entry.Ssid.SsidLength = static_cast<uint32_t>(length);
    std::memcpy(entry.Ssid.Ssid, network.ssid.data(), length);
    entry.Privacy = network.privacy;
    entry.Rssi = network.rssi;
    entry.NetworkTypeInUse = 1;  // Ndis802_11DS
    entry.Configuration.Length = sizeof entry.Configuration;
    entry.Configuration.BeaconPeriod = 100;
    entry.Configuration.DSConfig = 2437000;  // channel 6, in kHz
    entry.InfrastructureMode = network.infrastructureMode;
    const uint8_t rates[] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
    std::memcpy(entry.SupportedRates, rates, sizeof rates);
    std::memcpy(bytes.data(), &entry, sizeof entry);
    uint32_t ieLength = kFixedIeBytes;
    std::memcpy(bytes.data() + kEntryBytes - kFixedIeBytes - 4, &ieLength, sizeof ieLength);
    return bytes;
}

}  // namespace

Radio::Radio(RadioConfig config, std::vector<uint8_t> mac)
    : config_(std::move(config)),
      mac_(std::move(mac)),
      mode_(config_.infrastructureMode),
      authMode_(config_.authMode),
      encryption_(config_.encryption),
      timeline_{{0, config_.ssid, config_.infrastructureMode, true}},
      failingQueries_(config_.failingQueries),
      failingSets_(config_.failingSets) {
    mac_.resize(6);
}

const Radio::Association& Radio::At(uint64_t now) const {
    const Association* current = &timeline_.front();
    for (const Association& association : timeline_) {
        if (association.from <= now) {
            current = &association;
        }
    }
    return *current;
}

bool Radio::InRange(const std::string& ssid) const {
    return std::any_of(config_.networks.begin(), config_.networks.end(),
                       [&](const RadioNetwork& network) { return network.ssid == ssid; });
}

// A new SSID replaces whatever the adapter was about to do.
void Radio::Associate(const std::string& ssid, uint64_t now) {
    std::erase_if(timeline_, [&](const Association& a) { return a.from > now; });
    auto report = [&](uint64_t at, std::string name, uint32_t mode, bool reported = true) {
        timeline_.push_back({at, std::move(name), mode, reported});
    };
    const SsidAnswer& answer = config_.answer;
    bool unreachable = mode_ == platform::kNdis80211Infrastructure && !InRange(ssid);
    if (ssid.empty() || (ssid != config_.ssid && unreachable)) {
        report(now, "", mode_);
    } else if (ssid == config_.ssid) {
        report(now, ssid, mode_);
    } else {
        switch (answer.kind) {
            case SsidAnswer::Kind::Join:
                report(now, "", mode_);
                report(now + answer.afterMs, ssid, mode_);
                break;
            case SsidAnswer::Kind::Never:
                report(now, "", mode_);
                break;
            case SsidAnswer::Kind::Infrastructure:
                report(now, "", mode_);
                report(now + answer.afterMs, ssid, platform::kNdis80211Infrastructure);
                break;
            case SsidAnswer::Kind::FallBack:
                report(now, ssid, mode_);
                // The vendor's utility puts it back on the network of its own profile.
                report(now + answer.afterMs, config_.ssid, config_.infrastructureMode);
                break;
            case SsidAnswer::Kind::Drop:
                report(now, "", mode_);
                report(now + answer.afterMs, ssid, mode_);
                report(now + answer.afterMs + answer.holdMs, answer.dropTo,
                       answer.dropTo.empty() ? mode_ : platform::kNdis80211Infrastructure);
                break;
            case SsidAnswer::Kind::Unreported:
                report(now, "", mode_);
                report(now + answer.afterMs, ssid, mode_, false);
                break;
        }
    }
    std::stable_sort(timeline_.begin(), timeline_.end(),
                     [](const Association& a, const Association& b) { return a.from < b.from; });
}

std::vector<RadioNetwork> Radio::Heard(uint64_t now) const {
    std::vector<RadioNetwork> heard;
    for (const RadioNetwork& network : config_.networks) {
        const auto& scans = network.seenInScans;
        if (scans.empty() || std::find(scans.begin(), scans.end(), scans_) != scans.end()) {
            heard.push_back(network);
        }
    }
    // An ad-hoc network the adapter made itself is heard like any other.
    const Association& current = At(now);
    if (!current.ssid.empty() && current.mode == platform::kNdis80211Ibss &&
        !InRange(current.ssid)) {
        std::vector<uint8_t> bssid = mac_;
        bssid[0] = static_cast<uint8_t>((bssid[0] | 0x02) & ~0x01);  // locally administered
        heard.push_back({current.ssid,
                         bssid,
                         config_.ownNetworkRssi,
                         encryption_ != 1 ? 1u : 0u,
                         platform::kNdis80211Ibss,
                         {},
                         std::nullopt});
    }
    return heard;
}

std::string Radio::BssidList(uint64_t now) const {
    std::vector<RadioNetwork> heard = Heard(now);
    std::string list = Dword(static_cast<uint32_t>(heard.size()));
    for (const RadioNetwork& network : heard) {
        list += Entry(network);
    }
    return list;
}

void Radio::Connect(const std::string& ssid, uint32_t mode, uint64_t now) {
    SetMode(mode, now);
    Associate(ssid, now);
}

// A new mode drops the association until the next SSID.
void Radio::SetMode(uint32_t mode, uint64_t now) {
    mode_ = mode;
    std::erase_if(timeline_, [&](const Association& a) { return a.from > now; });
    timeline_.push_back({now, "", mode_, true});
}

uint32_t Radio::Query(uint32_t oid, uint32_t room, uint64_t now, std::string& value) {
    uint32_t error = 0;
    if (TakeFailure(failingQueries_, oid, error)) {
        return error;
    }
    if (auto raw = config_.rawAnswers.find(oid); raw != config_.rawAnswers.end()) {
        value = raw->second.substr(0, room);
        return 0;
    }
    const Association& current = At(now);
    switch (oid) {
        case platform::kOid80211Ssid: {
            platform::Ndis80211Ssid ssid{};
            const std::string& name = current.reported ? current.ssid : std::string();
            ssid.SsidLength = static_cast<uint32_t>(name.size());
            std::memcpy(ssid.Ssid, name.data(), name.size());
            value.assign(reinterpret_cast<const char*>(&ssid), sizeof ssid);
            break;
        }
        case platform::kOid80211InfrastructureMode:
            value = Dword(current.mode);
            break;
        case platform::kOid80211AuthenticationMode:
            value = Dword(authMode_);
            break;
        case platform::kOid80211EncryptionStatus:
            value = Dword(encryption_);
            break;
        case platform::kOid80211BssidList:
            value = BssidList(now);
            break;
        default:
            return kErrorNotSupported;
    }
    return value.size() > room ? kErrorInsufficientBuffer : 0;
}

uint32_t Radio::Set(uint32_t oid, const std::string& data, uint64_t now) {
    uint32_t error = 0;
    if (TakeFailure(failingSets_, oid, error)) {
        return error;
    }
    uint32_t number = 0;
    if (data.size() >= sizeof number) {
        std::memcpy(&number, data.data(), sizeof number);
    }
    switch (oid) {
        case platform::kOid80211Ssid: {
            platform::Ndis80211Ssid ssid{};
            if (data.size() < sizeof ssid) {
                return kErrorBadLength;
            }
            std::memcpy(&ssid, data.data(), sizeof ssid);
            if (ssid.SsidLength > sizeof ssid.Ssid) {
                return kErrorInvalidData;
            }
            std::string name(reinterpret_cast<const char*>(ssid.Ssid), ssid.SsidLength);
            // An SSID of zero octets names no network: the adapter leaves its own.
            if (std::all_of(name.begin(), name.end(), [](char c) { return c == '\0'; })) {
                name.clear();
            }
            Associate(name, now);
            return 0;
        }
        case platform::kOid80211InfrastructureMode:
            if (data.size() < sizeof number) {
                return kErrorBadLength;
            }
            if (number > platform::kNdis80211AutoUnknown) {
                return kErrorInvalidData;
            }
            SetMode(number, now);
            return 0;
        case platform::kOid80211AuthenticationMode:
            if (data.size() < sizeof number) {
                return kErrorBadLength;
            }
            if (number >= kAuthModeMax) {
                return kErrorInvalidData;
            }
            authMode_ = number;
            return 0;
        case platform::kOid80211EncryptionStatus:
            if (data.size() < sizeof number) {
                return kErrorBadLength;
            }
            if (std::find(std::begin(kSettableEncryption), std::end(kSettableEncryption), number) ==
                std::end(kSettableEncryption)) {
                return kErrorInvalidData;
            }
            encryption_ = number;
            return 0;
        case platform::kOid80211BssidListScan:
            ++scans_;
            return 0;
        default:
            return kErrorNotSupported;
    }
}

RadioSettings Radio::Settings(uint64_t now) const {
    const Association& current = At(now);
    return {current.ssid, current.mode, authMode_, encryption_};
}

}  // namespace sim
