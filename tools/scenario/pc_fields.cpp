#include "tools/scenario/pc_fields.h"

#include <algorithm>

#include "platform/sim/code_page.h"
#include "tools/scenario/final_state.h"
#include "tools/scenario/final_state_expectation.h"

namespace corvane::tools {

namespace {

std::string Utf8(const std::u16string& text) {
    return sim::ToUtf8(text);
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// The result file's name: "CheckInfo<time>.log" in whatever folder it was written to.
bool IsResultFile(const std::u16string& foldedPath) {
    size_t name = foldedPath.rfind(u'\\') + 1;
    return foldedPath.compare(name, 9, u"CHECKINFO") == 0 && foldedPath.ends_with(u".LOG");
}

void AddServices(sim::Pc& pc, PcFields& fields) {
    sim::ServiceManager& services = pc.services();
    for (size_t i = 0; i < services.size(); ++i) {
        const sim::ServiceManager::Service& service = services.At(i, pc.now());
        if (services.Find(service.config.name) == i) {
            fields["service " + FoldServiceName(service.config.name)] =
                DescribeServiceState(service.state);
        }
    }
}

// Programs by image path: the arguments of each instance running, in order, so that a
// utility brought back with other arguments, or twice, is a difference.
void AddProcesses(sim::Pc& pc, PcFields& fields) {
    std::map<std::string, std::vector<std::string>> running;
    for (const sim::ProcessTable::Process& process : pc.processes().all()) {
        if (process.running) {
            running[Utf8(sim::Pc::FoldPath(process.image))].push_back(
                Quoted(Utf8(process.arguments)));
        }
    }
    for (auto& [image, arguments] : running) {
        std::sort(arguments.begin(), arguments.end());
        std::string text = "running with";
        for (const std::string& argument : arguments) {
            text += " " + argument;
        }
        fields["process " + image] = text;
    }
}

void AddRadios(sim::Pc& pc, PcFields& fields) {
    for (auto& [adapter, radio] : pc.network().radios()) {
        sim::RadioSettings settings = radio.Settings(pc.now());
        std::string name = "radio " + adapter;
        fields[name + " ssid"] = Quoted(settings.ssid);
        fields[name + " infrastructureMode"] = std::to_string(settings.infrastructureMode);
        fields[name + " authMode"] = std::to_string(settings.authMode);
        fields[name + " encryption"] = std::to_string(settings.encryption);
    }
}

// Values by key and name; keys themselves only where they end a branch, so that a key made
// or removed shows once, not with every key above it.
void AddRegistry(sim::Pc& pc, PcFields& fields) {
    const auto& keys = pc.network().registry().keys();
    for (const auto& [path, key] : keys) {
        auto below = keys.lower_bound(path + u"\\");
        if (below == keys.end() || !below->first.starts_with(path + u"\\")) {
            fields["registry key " + Utf8(path)] = "present";
        }
        for (const auto& [folded, value] : key.values) {
            fields["registry " + Utf8(path) + " value " + Utf8(value.first)] =
                DescribeRegistryValue(value.second);
        }
    }
}

void AddSwitches(sim::Pc& pc, PcFields& fields) {
    for (const sim::NetDeviceConfig& device : pc.network().devices()) {
        fields["net device " + Utf8(sim::FoldCase(device.driverKey))] =
            device.enabled ? "enabled" : "disabled";
    }
    for (const sim::BindingPathConfig& path : pc.network().bindingPaths()) {
        fields["tcpip binding path " + Utf8(sim::FoldCase(path.token))] =
            path.enabled ? "enabled" : "disabled";
    }
}

// The profiles' documents and their order, which is the order the service tries them in.
void AddWlan(sim::Pc& pc, PcFields& fields) {
    for (const auto& [adapter, radio] : pc.network().radios()) {
        std::string order;
        for (const sim::WlanProfile& profile : pc.wlan().profiles(adapter)) {
            order += (order.empty() ? "" : ", ") + Quoted(Utf8(profile.name));
            fields["WLAN profile " + adapter + " " + Utf8(profile.name)] = Utf8(profile.xml);
        }
        if (!order.empty()) {
            fields["WLAN profile order " + adapter] = order;
        }
        const std::u16string& connected = pc.wlan().connectedProfile(adapter);
        if (!connected.empty()) {
            fields["WLAN connection " + adapter] = Quoted(Utf8(connected));
        }
    }
}

void AddFiles(sim::Pc& pc, PcFields& fields) {
    for (const auto& [path, file] : pc.files()) {
        if (IsResultFile(path)) {
            continue;
        }
        std::string text = file.directory ? "folder" : std::to_string(file.bytes.size()) + " bytes";
        if (file.readOnly) {
            text += ", read-only";
        }
        fields["file " + Utf8(path)] = text;
        if (!file.directory) {
            fields["file " + Utf8(path) + " content"] = file.bytes;
        }
    }
}

// Whether `name` matches `pattern`, case aside, `*` standing for any characters.
bool Matches(std::string_view name, std::string_view pattern) {
    auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    size_t star = pattern.find('*');
    if (star == std::string_view::npos) {
        return name.size() == pattern.size() &&
               std::equal(name.begin(), name.end(), pattern.begin(),
                          [&](char a, char b) { return fold(a) == fold(b); });
    }
    std::string_view head = pattern.substr(0, star);
    if (name.size() < head.size() || !Matches(name.substr(0, head.size()), head)) {
        return false;
    }
    std::string_view rest = pattern.substr(star + 1);
    for (size_t at = head.size(); at <= name.size(); ++at) {
        if (Matches(name.substr(at), rest)) {
            return true;
        }
    }
    return false;
}

std::string Shown(const PcFields& fields, const std::string& name) {
    auto found = fields.find(name);
    if (found == fields.end()) {
        return "none";
    }
    // File contents are bytes; their size says enough in a report.
    return name.ends_with(" content") ? std::to_string(found->second.size()) + " bytes"
                                      : found->second;
}

}  // namespace

PcFields FieldsOf(sim::Pc& pc) {
    PcFields fields;
    AddServices(pc, fields);
    AddProcesses(pc, fields);
    AddRadios(pc, fields);
    AddRegistry(pc, fields);
    AddSwitches(pc, fields);
    AddWlan(pc, fields);
    AddFiles(pc, fields);
    return fields;
}

std::vector<std::string> UnintendedChanges(const PcFields& before, const PcFields& after,
                                           const std::vector<std::string>& intended) {
    std::vector<std::string> names;
    for (const auto& [name, value] : before) {
        auto found = after.find(name);
        if (found == after.end() || found->second != value) {
            names.push_back(name);
        }
    }
    for (const auto& [name, value] : after) {
        if (before.count(name) == 0) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> problems;
    std::vector<bool> used(intended.size(), false);
    for (const std::string& name : names) {
        bool named = false;
        for (size_t i = 0; i < intended.size(); ++i) {
            if (Matches(name, intended[i])) {
                used[i] = named = true;
            }
        }
        if (!named) {
            problems.push_back("changed " + name + ": " + Shown(after, name) + ", before " +
                               Shown(before, name));
        }
    }
    for (size_t i = 0; i < intended.size(); ++i) {
        if (!used[i]) {
            problems.push_back("named change did not happen: " + intended[i]);
        }
    }
    return problems;
}

}  // namespace corvane::tools
