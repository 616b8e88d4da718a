#include "tools/scenario/process_keys.h"

#include <stdexcept>
#include <string>

#include "platform/sim/code_page.h"

namespace corvane::tools {

namespace {

using nlohmann::json;

std::u16string Wide(const json& value) {
    return sim::FromUtf8(value.get<std::string>());
}

sim::WindowConfig ParseWindow(const json& entry) {
    if (entry.is_string()) {
        return {.className = Wide(entry)};
    }
    return {.className = Wide(entry.at("class")),
            .closesOnWmClose = entry.value("closesOnWmClose", true),
            .hung = entry.value("hung", false)};
}

}  // namespace

void ApplyProcesses(const json& processes, sim::Scenario& s) {
    for (const json& entry : processes) {
        sim::ProcessConfig process;
        process.image = Wide(entry.at("image"));
        if (entry.contains("arguments")) {
            process.arguments = Wide(entry["arguments"]);
        }
        process.processId = entry.value("processId", 0u);
        process.threads = entry.value("threads", 1);
        if (process.threads < 1) {
            throw std::runtime_error("a process has at least one thread");
        }
        for (const json& window : entry.value("windows", json::array())) {
            process.windows.push_back(ParseWindow(window));
        }
        process.terminateRefused = entry.value("terminateRefused", false);
        process.vanishes = entry.value("vanishes", false);
        s.processes.push_back(std::move(process));
    }
}

std::optional<sim::Shortcut> ParseShortcut(const json& shortcut) {
    if (shortcut.is_null()) {
        return std::nullopt;
    }
    sim::Shortcut link{.target = Wide(shortcut.at("target"))};
    if (shortcut.contains("arguments")) {
        link.arguments = Wide(shortcut["arguments"]);
    }
    return link;
}

}  // namespace corvane::tools
