#include "tools/scenario/final_state_keys.h"

#include <stdexcept>
#include <string>

#include "platform/sim/code_page.h"
#include "tools/scenario/final_state.h"
#include "tools/scenario/network_keys.h"

namespace corvane::tools {

namespace {

using nlohmann::json;

std::optional<uint32_t> ServiceState(const std::string& name) {
    if (name == "absent")
        return std::nullopt;
    if (name == "stopped")
        return kServiceStopped;
    if (name == "running")
        return kServiceRunning;
    throw std::runtime_error("a service is expected absent, stopped or running");
}

bool Present(const std::string& path, const std::string& word) {
    size_t star = path.find('*');
    if (star != std::string::npos && path.find_first_of("*\\/", star + 1) != std::string::npos) {
        throw std::runtime_error("a file path may hold one * and only in its last part: " + path);
    }
    if (word != "present" && word != "absent") {
        throw std::runtime_error("a file is expected present or absent");
    }
    return word == "present";
}

}  // namespace

FinalStateExpectation ParseFinalState(const json& expect) {
    FinalStateExpectation e;
    const json services = expect.value("services", json::object());
    for (const auto& [name, state] : services.items()) {
        e.services[name] = ServiceState(state.get<std::string>());
    }
    const json files = expect.value("files", json::object());
    for (const auto& [path, word] : files.items()) {
        e.files[sim::FromUtf8(path)] = Present(path, word.get<std::string>());
    }
    if (expect.contains("components")) {
        e.components.emplace();
        for (const std::string& id : expect["components"].get<std::vector<std::string>>()) {
            e.components->push_back(sim::FromUtf8(id));
        }
    }
    const json registry = expect.value("registry", json::object());
    for (const auto& [path, values] : registry.items()) {
        auto& key = e.registry[sim::FromUtf8(path)];
        for (const auto& [name, value] : values.items()) {
            key[sim::FromUtf8(name)] =
                value.is_null() ? std::nullopt : std::optional(RegistryValueOf(value));
        }
    }
    if (expect.contains("netDevices")) {
        e.netDevices.emplace();
        for (const json& device : expect["netDevices"]) {
            e.netDevices->push_back(
                {sim::FromUtf8(device.at("driverKey")), device.value("enabled", true)});
        }
    }
    if (expect.contains("tcpipBindingPaths")) {
        e.bindingPaths.emplace();
        for (const json& path : expect["tcpipBindingPaths"]) {
            e.bindingPaths->push_back(
                {sim::FromUtf8(path.at("token")), path.value("enabled", true)});
        }
    }
    if (expect.contains("applies")) {
        e.applies = expect["applies"].get<int>();
    }
    if (expect.contains("deviceChanges")) {
        e.deviceChanges = expect["deviceChanges"].get<std::vector<std::string>>();
    }
    const json profiles = expect.value("wlanProfiles", json::object());
    for (const auto& [adapter, names] : profiles.items()) {
        e.wlanProfiles[adapter] = names.get<std::vector<std::string>>();
    }
    const json radios = expect.value("radios", json::object());
    for (const auto& [adapter, radio] : radios.items()) {
        if (radio == "unchanged") {
            e.radios[adapter] = std::nullopt;
            continue;
        }
        sim::RadioSettings settings;
        settings.ssid = radio.value("ssid", std::string());
        settings.infrastructureMode = radio.at("infrastructureMode").get<uint32_t>();
        settings.authMode = radio.at("authMode").get<uint32_t>();
        settings.encryption = radio.at("encryption").get<uint32_t>();
        e.radios[adapter] = settings;
    }
    return e;
}

}  // namespace corvane::tools
