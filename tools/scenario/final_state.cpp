#include "tools/scenario/final_state.h"

#include "platform/sim/code_page.h"

namespace corvane::tools {

std::string FoldServiceName(std::string name) {
    for (char& c : name) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return name;
}

FinalState FinalStateOf(sim::Pc& pc) {
    FinalState state;
    sim::ServiceManager& services = pc.services();
    for (size_t i = 0; i < services.size(); ++i) {
        const sim::ServiceManager::Service& service = services.At(i, pc.now());
        // A deleted service may keep its place for the handles still open on it; only the
        // services the manager finds by name still exist.
        if (services.Find(service.config.name) == i) {
            state.services[FoldServiceName(service.config.name)] = service.state;
        }
    }
    for (const auto& [path, file] : pc.files()) {
        state.files.insert(path);
        if (file.directory) {
            state.folders.insert(path);
        }
    }
    state.components = pc.driverSetup().components();
    state.registry = pc.network().registry();
    state.netDevices = pc.network().devices();
    state.bindingPaths = pc.network().bindingPaths();
    state.applies = pc.network().applies();
    state.deviceChanges = pc.network().deviceChanges();
    for (auto& [adapter, radio] : pc.network().radios()) {
        state.radios[adapter] = radio.Settings(pc.now());
        const sim::RadioConfig& start = radio.config();
        state.radiosAtStart[adapter] = {start.ssid, start.infrastructureMode, start.authMode,
                                        start.encryption};
        std::vector<std::string>& before = state.wlanProfilesAtStart[adapter];
        for (const std::u16string& xml : start.profiles) {
            before.push_back(sim::ToUtf8(sim::ReadProfile(xml).name));
        }
        std::vector<std::string>& after = state.wlanProfiles[adapter];
        for (const sim::WlanProfile& profile : pc.wlan().profiles(adapter)) {
            after.push_back(sim::ToUtf8(profile.name));
        }
    }
    for (const sim::ProcessTable::Process& process : pc.processes().all()) {
        if (process.running) {
            state.processes.emplace_back(process.image, process.arguments);
        }
    }
    return state;
}

}  // namespace corvane::tools
