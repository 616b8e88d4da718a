#include "tools/scenario/final_state_expectation.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <string_view>

#include "platform/sim/code_page.h"
#include "platform/sim/netcfg_model.h"
#include "tools/scenario/final_state.h"

namespace corvane::tools {

namespace {

constexpr uint32_t kSz = 1;
constexpr uint32_t kDword = 4;
constexpr uint32_t kMultiSz = 7;

std::string Utf8(const std::u16string& text) {
    return sim::ToUtf8(text);
}

template <typename T>
std::string List(const std::vector<T>& items, const std::function<std::string(const T&)>& text) {
    std::string list = "[";
    for (const T& item : items) {
        list += (list.size() > 1 ? ", " : "") + text(item);
    }
    return list + "]";
}

// Whether a folded path matches a folded pattern with at most one * in its last part.
bool Matches(const std::u16string& path, const std::u16string& pattern) {
    size_t star = pattern.find(u'*');
    if (star == std::u16string::npos) {
        return path == pattern;
    }
    std::u16string_view head(pattern.data(), star);
    std::u16string_view tail(pattern.data() + star + 1, pattern.size() - star - 1);
    return path.size() >= head.size() + tail.size() && path.starts_with(head) &&
           path.ends_with(tail) && path.find(u'\\', head.size()) == std::u16string::npos;
}

void CheckServices(const FinalState& state, const FinalStateExpectation& expect,
                   std::vector<std::string>& problems) {
    for (const auto& [name, expected] : expect.services) {
        auto found = state.services.find(FoldServiceName(name));
        std::optional<uint32_t> actual;
        if (found != state.services.end()) {
            actual = found->second;
        }
        if (actual != expected) {
            problems.push_back("service " + name + ": " + DescribeServiceState(actual) +
                               ", expected " + DescribeServiceState(expected));
        }
    }
}

void CheckFiles(const FinalState& state, const FinalStateExpectation& expect,
                std::vector<std::string>& problems) {
    for (const auto& [path, present] : expect.files) {
        std::u16string pattern = sim::Pc::FoldPath(path);
        std::vector<std::u16string> matches;
        std::copy_if(state.files.begin(), state.files.end(), std::back_inserter(matches),
                     [&](const std::u16string& file) { return Matches(file, pattern); });
        if (matches.empty() == present) {
            std::string found = matches.empty() ? "absent" : "present";
            if (pattern.find(u'*') != std::u16string::npos && !matches.empty()) {
                found += " " + List<std::u16string>(matches, Utf8);
            }
            problems.push_back("file " + Utf8(path) + ": " + found + ", expected " +
                               (present ? "present" : "absent"));
        }
    }
}

void CheckComponents(const FinalState& state, const FinalStateExpectation& expect,
                     std::vector<std::string>& problems) {
    if (!expect.components) {
        return;
    }
    auto folded = [](const std::vector<std::u16string>& ids) {
        std::vector<std::u16string> result;
        std::transform(ids.begin(), ids.end(), std::back_inserter(result), sim::FoldCase);
        std::sort(result.begin(), result.end());
        return result;
    };
    if (folded(state.components) != folded(*expect.components)) {
        problems.push_back("components: " + List<std::u16string>(state.components, Utf8) +
                           ", expected " + List<std::u16string>(*expect.components, Utf8));
    }
}

}  // namespace

std::string DescribeServiceState(std::optional<uint32_t> state) {
    if (!state)
        return "absent";
    if (*state == kServiceStopped)
        return "stopped";
    if (*state == kServiceRunning)
        return "running";
    return "state " + std::to_string(*state);
}

std::string DescribeRegistryValue(const std::optional<sim::RegistryValue>& value) {
    if (!value) {
        return "absent";
    }
    const std::string& bytes = value->bytes;
    std::u16string units(bytes.size() / 2, u'\0');
    std::memcpy(units.data(), bytes.data(), units.size() * 2);
    bool terminated = bytes.size() % 2 == 0 && units.ends_with(u'\0');
    if (value->type == kDword && bytes.size() == 4) {
        uint32_t number = 0;
        std::memcpy(&number, bytes.data(), 4);
        return "dword " + std::to_string(number);
    }
    if (value->type == kSz && terminated && units.find(u'\0') == units.size() - 1) {
        return "sz \"" + Utf8(units.substr(0, units.size() - 1)) + "\"";
    }
    if (value->type == kMultiSz && terminated &&
        (units.size() == 1 || units.ends_with(std::u16string(2, u'\0')))) {
        std::vector<std::u16string> texts;
        for (size_t at = 0; at + 1 < units.size(); at = units.find(u'\0', at) + 1) {
            texts.push_back(units.substr(at, units.find(u'\0', at) - at));
        }
        return "multiSz " + List<std::u16string>(texts, [](const std::u16string& text) {
                   return "\"" + Utf8(text) + "\"";
               });
    }
    std::string hex;
    for (unsigned char byte : bytes) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        hex += {' ', kDigits[byte >> 4], kDigits[byte & 0xF]};
    }
    return "type " + std::to_string(value->type) + " bytes" + hex;
}

namespace {

void CheckRegistry(const FinalState& state, const FinalStateExpectation& expect,
                   std::vector<std::string>& problems) {
    for (const auto& [path, values] : expect.registry) {
        for (const auto& [name, expected] : values) {
            std::optional<sim::RegistryValue> actual;
            if (const sim::RegistryValue* found = state.registry.Value(path, name)) {
                actual = *found;
            }
            bool same =
                actual.has_value() == expected.has_value() &&
                (!actual || (actual->type == expected->type && actual->bytes == expected->bytes));
            if (!same) {
                problems.push_back("registry " + Utf8(path) + " value " + Utf8(name) + ": " +
                                   DescribeRegistryValue(actual) + ", expected " +
                                   DescribeRegistryValue(expected));
            }
        }
    }
}

// Devices and binding paths: a name (case does not matter) and whether it is enabled.
template <typename T>
void CheckSwitches(const char* what, std::u16string T::*name, const std::vector<T>& actual,
                   const std::optional<std::vector<T>>& expected,
                   std::vector<std::string>& problems) {
    if (!expected) {
        return;
    }
    auto same = [&](const T& a, const T& b) {
        return sim::FoldCase(a.*name) == sim::FoldCase(b.*name) && a.enabled == b.enabled;
    };
    if (!std::equal(actual.begin(), actual.end(), expected->begin(), expected->end(), same)) {
        std::function<std::string(const T&)> text = [&](const T& item) {
            return Utf8(item.*name) + (item.enabled ? " enabled" : " disabled");
        };
        problems.push_back(std::string(what) + ": " + List(actual, text) + ", expected " +
                           List(*expected, text));
    }
}

std::string Describe(const sim::RadioSettings& radio) {
    return "ssid \"" + radio.ssid + "\" mode " + std::to_string(radio.infrastructureMode) +
           " auth " + std::to_string(radio.authMode) + " encryption " +
           std::to_string(radio.encryption);
}

// A radio the expectation does not name must be as it was at the start: the check puts back
// what it changes.
void CheckRadios(const FinalState& state, const FinalStateExpectation& expect,
                 std::vector<std::string>& problems) {
    for (const auto& [adapter, expected] : expect.radios) {
        if (state.radios.count(adapter) == 0) {
            problems.push_back("radio " + adapter + ": none");
        }
    }
    for (const auto& [adapter, radio] : state.radios) {
        auto named = expect.radios.find(adapter);
        bool pattern = named != expect.radios.end() && named->second;
        const sim::RadioSettings& wanted =
            pattern ? *named->second : state.radiosAtStart.at(adapter);
        sim::RadioSettings compared = radio;
        // A named radio's SSID ending in '*' stands for any name with that start, such as the
        // random name of a test network.
        if (pattern && wanted.ssid.ends_with('*') &&
            radio.ssid.starts_with(
                std::string_view(wanted.ssid).substr(0, wanted.ssid.size() - 1))) {
            compared.ssid = wanted.ssid;
        }
        if (compared != wanted) {
            problems.push_back("radio " + adapter + ": " + Describe(radio) + ", expected " +
                               Describe(wanted));
        }
    }
}

void CheckWlanProfiles(const FinalState& state, const FinalStateExpectation& expect,
                       std::vector<std::string>& problems) {
    std::function<std::string(const std::string&)> same = [](const std::string& name) {
        return name;
    };
    for (const auto& [adapter, start] : state.wlanProfilesAtStart) {
        auto named = expect.wlanProfiles.find(adapter);
        const std::vector<std::string>& wanted =
            named != expect.wlanProfiles.end() ? named->second : start;
        const std::vector<std::string>& actual = state.wlanProfiles.at(adapter);
        if (actual != wanted) {
            problems.push_back("WLAN profiles of " + adapter + ": " + List(actual, same) +
                               ", expected " + List(wanted, same));
        }
    }
}

}  // namespace

void AddUnmetFinalState(const FinalState& state, const FinalStateExpectation& expect,
                        std::vector<std::string>& problems) {
    CheckServices(state, expect, problems);
    CheckFiles(state, expect, problems);
    CheckComponents(state, expect, problems);
    CheckRegistry(state, expect, problems);
    CheckSwitches("net devices", &sim::NetDeviceConfig::driverKey, state.netDevices,
                  expect.netDevices, problems);
    CheckSwitches("tcpip binding paths", &sim::BindingPathConfig::token, state.bindingPaths,
                  expect.bindingPaths, problems);
    CheckRadios(state, expect, problems);
    CheckWlanProfiles(state, expect, problems);
    if (expect.applies && *expect.applies != state.applies) {
        problems.push_back("INetCfg::Apply calls: " + std::to_string(state.applies) +
                           ", expected " + std::to_string(*expect.applies));
    }
    if (expect.deviceChanges && *expect.deviceChanges != state.deviceChanges) {
        std::function<std::string(const std::string&)> same = [](const std::string& change) {
            return change;
        };
        problems.push_back("device changes: " + List(state.deviceChanges, same) + ", expected " +
                           List(*expect.deviceChanges, same));
    }
}

}  // namespace corvane::tools
