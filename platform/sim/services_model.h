#pragma once
// The simulated PC's services: how the scenario describes them, and the Service Control
// Manager's state while a program runs (states, pending ends, open handles).

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

constexpr uint32_t kPendingForever = UINT32_MAX;

struct ServiceConfig {
    std::string name;
    std::string displayName;
    uint32_t type = 0x10;  // SERVICE_WIN32_OWN_PROCESS; kernel drivers are 0x01
    bool running = false;
    // The services that depend on this one, in the order the manager lists them (the
    // reverse of their start order).
    std::vector<std::string> dependants;
    // How long a start or stop stays pending, in virtual ms; kPendingForever: it never ends.
    uint32_t startPendingMs = 0;
    uint32_t stopPendingMs = 0;
    bool startFails = false;    // the start is accepted, then the service ends stopped
    bool accessDenied = false;  // the program may not open it for all access
};

class ServiceManager {
  public:
    struct Service {
        ServiceConfig config;
        uint32_t state;  // SERVICE_STOPPED, SERVICE_START_PENDING, ...
        std::optional<uint64_t> settlesAt;
        uint32_t settledState = 0;
        // Deleted: no longer found or listed; handles still open to it stay usable.
        bool deleted = false;
    };
    // Handle target: a service's index, or none for the manager itself.
    using Target = std::optional<size_t>;

    explicit ServiceManager(const std::vector<ServiceConfig>& services);

    // Index of the service of that name (case does not matter), unless deleted.
    std::optional<size_t> Find(const std::string& name) const;
    // A new stopped service; false when one of that name exists already.
    bool Add(const ServiceConfig& config);
    // Deleted at once, running or not; stopped first when asked.
    void Delete(size_t index, bool stopFirst);
    // The service as it stands at `now`: a pending state that has run out has ended.
    Service& At(size_t index, uint64_t now);
    size_t size() const { return services_.size(); }

    // The services that depend on `index`, directly or not, each after those that depend on
    // it: the order in which they may be stopped.
    std::vector<size_t> Dependants(size_t index) const;
    // The services that `index` depends on directly.
    std::vector<size_t> Dependencies(size_t index) const;

    uintptr_t Open(uintptr_t id, Target target);
    const Target* Lookup(uintptr_t id) const;
    bool Close(uintptr_t id);
    size_t openHandles() const { return handles_.size(); }

    // The controls the program sent, as "start NAME" and "stop NAME", in order.
    std::vector<std::string>& requests() { return requests_; }

  private:
    void AddDependants(size_t index, std::vector<size_t>& out, std::vector<bool>& seen) const;

    std::vector<Service> services_;
    std::map<uintptr_t, Target> handles_;
    std::vector<std::string> requests_;
};

}  // namespace sim
