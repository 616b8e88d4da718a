#pragma once
// A wireless adapter's radio on the simulated PC: what it is associated with, the networks in
// range, and how it answers NDIS 802.11 queries and sets in virtual time. Every way in to the
// adapter (our protocol driver, the native WLAN service) meets the same radio.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// A network in range, as a BSSID list entry reports it.
struct RadioNetwork {
    std::string ssid;            // 0 to 32 octets, any bytes
    std::vector<uint8_t> bssid;  // 6 octets
    int32_t rssi = -50;
    uint32_t privacy = 0;
    uint32_t infrastructureMode = 1;
    // The scan requests that hear it (1 for the first the radio took); empty: every scan.
    std::vector<int> seenInScans;
    // What the native service reports as its signal quality; none: from the RSSI.
    std::optional<uint32_t> signalQuality;
};

// How the adapter answers an SSID set to a network other than the one it started on.
struct SsidAnswer {
    enum class Kind {
        Join,            // reports the SSID in the mode set after `afterMs`
        Never,           // never reports it: no SSID at all
        Infrastructure,  // reports the SSID after `afterMs`, but in infrastructure mode
        FallBack,        // joins, then after `afterMs` is back on the network it started on
        Drop,            // joins after `afterMs`, holds it `holdMs`, then reports `dropTo`
        // joins after `afterMs` (scans hear the network it made) but its SSID query reports
        // none, as a driver that never fills it in
        Unreported,
    };
    Kind kind = Kind::Join;
    uint32_t afterMs = 0;
    uint32_t holdMs = 0;
    std::string dropTo;  // empty: no network; else an infrastructure network of that name
};

struct OidFailure {
    uint32_t error = 31;          // ERROR_GEN_FAILURE
    uint32_t times = UINT32_MAX;  // the first this many requests fail; then it answers
};

struct RadioConfig {
    std::string ssid;  // associated at start; empty: none
    uint32_t infrastructureMode = 1;
    uint32_t authMode = 0;    // Ndis802_11AuthModeOpen
    uint32_t encryption = 1;  // Ndis802_11EncryptionDisabled
    std::vector<RadioNetwork> networks;
    std::map<uint32_t, OidFailure> failingQueries;
    std::map<uint32_t, OidFailure> failingSets;
    // By OID: the bytes a query returns instead of the modelled value (cut to the room given),
    // for answers no sound adapter gives.
    std::map<uint32_t, std::string> rawAnswers;
    SsidAnswer answer;
    int32_t ownNetworkRssi = -30;  // of an ad-hoc network the adapter made itself
    // The WLAN profiles the native service keeps for the adapter, as XML documents; at start
    // the adapter is connected with the first one whose SSID is `ssid`.
    std::vector<std::u16string> profiles;
};

// What a radio is set to, and on: what it reports now.
struct RadioSettings {
    std::string ssid;
    uint32_t infrastructureMode = 0;
    uint32_t authMode = 0;
    uint32_t encryption = 0;
    bool operator==(const RadioSettings&) const = default;
};

class Radio {
  public:
    Radio(RadioConfig config, std::vector<uint8_t> mac);

    // The value of a query into `value`, or a Windows error.
    uint32_t Query(uint32_t oid, uint32_t room, uint64_t now, std::string& value);
    uint32_t Set(uint32_t oid, const std::string& data, uint64_t now);

    // The native WLAN service's way in: a scan, what the last one heard (and the ad-hoc
    // network the adapter made itself), and a connection in a given mode.
    void Scan() { ++scans_; }
    std::vector<RadioNetwork> Heard(uint64_t now) const;
    void Connect(const std::string& ssid, uint32_t mode, uint64_t now);

    RadioSettings Settings(uint64_t now) const;
    // Whether a network of that name is among those in range.
    bool InRange(const std::string& ssid) const;
    const RadioConfig& config() const { return config_; }
    int scans() const { return scans_; }

  private:
    struct Association {
        uint64_t from;
        std::string ssid;
        uint32_t mode;
        bool reported = true;  // the SSID query gives `ssid`; else no SSID
    };

    const Association& At(uint64_t now) const;
    void Associate(const std::string& ssid, uint64_t now);
    void SetMode(uint32_t mode, uint64_t now);
    std::string BssidList(uint64_t now) const;

    RadioConfig config_;
    std::vector<uint8_t> mac_;
    uint32_t mode_;
    uint32_t authMode_;
    uint32_t encryption_;
    std::vector<Association> timeline_;  // by time; the last one begun is what it reports
    int scans_ = 0;
    std::map<uint32_t, OidFailure> failingQueries_;
    std::map<uint32_t, OidFailure> failingSets_;
};

}  // namespace sim
