#pragma once
// Simulated PCs with vendor utilities: their executables, how Windows starts them at logon,
// and whether they run.

#include <string>
#include <vector>

#include "platform/sim/pc.h"
#include "tests/host/netconfig/network_pc.h"
#include "tools/scenario/vortau_run.h"

namespace corvane::testing {

constexpr char16_t kVendorFolder[] = u"C:\\Program Files\\Vendor\\";
constexpr char16_t kRunKeyPath[] = u"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char16_t kUserRoot[] = u"HKEY_CURRENT_USER";
constexpr char16_t kMachineRoot[] = u"HKEY_LOCAL_MACHINE";

// An executable whose version resource carries `description` (none when empty).
inline void Install(sim::Scenario& pc, const std::u16string& path,
                    const std::u16string& description) {
    sim::File file;
    if (!description.empty()) {
        file.version = sim::FileVersion{};
        file.version->strings[u"FileDescription"] = description;
    }
    pc.files[path] = file;
}

inline void RunValue(sim::Scenario& pc, const std::u16string& root, const std::u16string& name,
                     sim::RegistryValue value) {
    pc.network.registry[root + kRunKeyPath][name] = std::move(value);
}

inline void RunValue(sim::Scenario& pc, const std::u16string& root, const std::u16string& name,
                     const std::u16string& command) {
    RunValue(pc, root, name, sim::RegistryValue{1, Utf16(command)});
}

// A .lnk file in a Startup folder; without a target, a file the shell cannot resolve.
inline void Shortcut(sim::Scenario& pc, const std::u16string& folder, const std::u16string& name,
                     std::optional<sim::Shortcut> target) {
    pc.files[folder + u"\\" + name] = sim::File{.bytes = "L", .shortcut = std::move(target)};
}

inline sim::ProcessConfig Running(const std::u16string& image,
                                  std::vector<sim::WindowConfig> windows = {}) {
    return {.image = image, .arguments = u"", .threads = 2, .windows = std::move(windows)};
}

// The processes of that image that run now, with their arguments.
inline std::vector<std::u16string> ArgumentsOfRunning(sim::Pc& pc, const std::u16string& image) {
    std::vector<std::u16string> arguments;
    for (const sim::ProcessTable::Process& process : pc.processes().all()) {
        if (process.running && sim::Pc::FoldPath(process.image) == sim::Pc::FoldPath(image)) {
            arguments.push_back(process.arguments);
        }
    }
    return arguments;
}

// The trace's texts without their date and time.
inline std::vector<std::string> LogTexts(const tools::SimSession& session) {
    constexpr size_t kPrefix = sizeof "2026/12/03 09:14:25:000 " - 1;
    std::vector<std::string> texts;
    for (const std::string& line : session.Trace()) {
        texts.push_back(line.size() > kPrefix ? line.substr(kPrefix) : "");
    }
    return texts;
}

}  // namespace corvane::testing
