#include "platform/sim/services_model.h"

#include <algorithm>

namespace sim {

namespace {

constexpr uint32_t kStopped = 1;
constexpr uint32_t kRunning = 4;

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
        return fold(x) == fold(y);
    });
}

}  // namespace

ServiceManager::ServiceManager(const std::vector<ServiceConfig>& services) {
    for (const ServiceConfig& config : services) {
        services_.push_back(Service{config, config.running ? kRunning : kStopped});
    }
}

std::optional<size_t> ServiceManager::Find(const std::string& name) const {
    for (size_t i = 0; i < services_.size(); ++i) {
        if (!services_[i].deleted && SameName(services_[i].config.name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

bool ServiceManager::Add(const ServiceConfig& config) {
    if (Find(config.name).has_value()) {
        return false;
    }
    services_.push_back(Service{config, kStopped});
    return true;
}

void ServiceManager::Delete(size_t index, bool stopFirst) {
    Service& service = services_[index];
    if (stopFirst) {
        service.state = kStopped;
        service.settlesAt.reset();
    }
    service.deleted = true;
}

ServiceManager::Service& ServiceManager::At(size_t index, uint64_t now) {
    Service& service = services_[index];
    if (service.settlesAt.has_value() && now >= *service.settlesAt) {
        service.state = service.settledState;
        service.settlesAt.reset();
    }
    return service;
}

// `seen` keeps a scenario's circular dependencies from looping.
void ServiceManager::AddDependants(size_t index, std::vector<size_t>& out,
                                   std::vector<bool>& seen) const {
    for (const std::string& name : services_[index].config.dependants) {
        std::optional<size_t> dependant = Find(name);
        if (dependant.has_value() && !seen[*dependant]) {
            seen[*dependant] = true;
            AddDependants(*dependant, out, seen);
            out.push_back(*dependant);
        }
    }
}

std::vector<size_t> ServiceManager::Dependants(size_t index) const {
    std::vector<size_t> out;
    std::vector<bool> seen(services_.size());
    seen[index] = true;
    AddDependants(index, out, seen);
    return out;
}

std::vector<size_t> ServiceManager::Dependencies(size_t index) const {
    std::vector<size_t> out;
    for (size_t i = 0; i < services_.size(); ++i) {
        const auto& dependants = services_[i].config.dependants;
        if (!services_[i].deleted &&
            std::any_of(dependants.begin(), dependants.end(), [&](const std::string& name) {
                return SameName(name, services_[index].config.name);
            })) {
            out.push_back(i);
        }
    }
    return out;
}

uintptr_t ServiceManager::Open(uintptr_t id, Target target) {
    handles_.emplace(id, target);
    return id;
}

const ServiceManager::Target* ServiceManager::Lookup(uintptr_t id) const {
    auto found = handles_.find(id);
    return found == handles_.end() ? nullptr : &found->second;
}

bool ServiceManager::Close(uintptr_t id) {
    return handles_.erase(id) == 1;
}

}  // namespace sim
