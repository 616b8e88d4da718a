#include "tools/scenario/services_keys.h"

#include <stdexcept>
#include <string>

namespace corvane::tools {

namespace {

using nlohmann::json;

uint32_t ServiceType(const json& value) {
    if (value.is_number()) {
        return value.get<uint32_t>();
    }
    std::string name = value.get<std::string>();
    if (name == "ownProcess")
        return 0x10;
    if (name == "shareProcess")
        return 0x20;
    if (name == "kernelDriver")
        return 0x01;
    if (name == "fileSystemDriver")
        return 0x02;
    throw std::runtime_error(
        "a service type is ownProcess, shareProcess, kernelDriver, fileSystemDriver or a number");
}

uint32_t PendingMs(const json& value) {
    if (value.is_string()) {
        if (value.get<std::string>() != "forever") {
            throw std::runtime_error("a pending time is a number of ms or \"forever\"");
        }
        return sim::kPendingForever;
    }
    return value.get<uint32_t>();
}

}  // namespace

void ApplyServices(const json& services, sim::Scenario& s) {
    for (const json& entry : services) {
        sim::ServiceConfig service;
        service.name = entry.at("name").get<std::string>();
        service.displayName = entry.value("displayName", service.name);
        if (entry.contains("type")) {
            service.type = ServiceType(entry["type"]);
        }
        service.running = entry.value("running", false);
        service.dependants = entry.value("dependants", std::vector<std::string>{});
        if (entry.contains("startPendingMs")) {
            service.startPendingMs = PendingMs(entry["startPendingMs"]);
        }
        if (entry.contains("stopPendingMs")) {
            service.stopPendingMs = PendingMs(entry["stopPendingMs"]);
        }
        service.startFails = entry.value("startFails", false);
        service.accessDenied = entry.value("accessDenied", false);
        s.services.push_back(std::move(service));
    }
}

}  // namespace corvane::tools
