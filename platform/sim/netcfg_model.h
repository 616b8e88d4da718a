#pragma once
// The simulated PC's driver setup: the INF directory and its "oem" copies, INF files read the
// way SetupAPI reads them, file queues, the components of the network configuration engine
// and the driver services that INF installs create. How the scenario describes it, and its
// state while a program runs.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/services_model.h"

namespace sim {

struct DriverSetupConfig {
    std::u16string infDirectory = u"C:\\WINDOWS\\inf";
    // Installed components of the network configuration engine, by id.
    std::vector<std::u16string> components = {u"MS_TCPIP"};
    // Another configuration program holds the engine's write lock the whole time.
    bool writeLockHeldByOther = false;
    // Calls that fail, by their Windows name: the last error (SetupAPI) or the HRESULT
    // (COM) they fail with.
    std::map<std::string, uint32_t> failingCalls;
};

// An INF file's sections (names folded to lower case) and their lines: key (empty when the
// line has none) and value, comments and surrounding blanks removed.
using InfSections =
    std::map<std::u16string, std::vector<std::pair<std::u16string, std::u16string>>>;
InfSections ParseInf(const std::string& bytes);
std::u16string FoldCase(std::u16string text);
// The comma-separated fields of a value, blanks and quotes removed, %strings% replaced.
std::vector<std::u16string> InfFields(const InfSections& inf, const std::u16string& value);
// The values of `key` (case does not matter) in `section`; none when the section is missing.
std::optional<std::vector<std::u16string>> InfValues(const InfSections& inf,
                                                     const std::u16string& section,
                                                     const std::u16string& key);

class DriverSetup {
  public:
    struct Inf {
        std::u16string path;
        InfSections sections;
    };
    // Source and destination of each file copy queued.
    using Queue = std::vector<std::pair<std::u16string, std::u16string>>;

    explicit DriverSetup(const DriverSetupConfig& config);

    const DriverSetupConfig& config() const { return config_; }
    // The error the scenario makes `call` fail with.
    std::optional<uint32_t> Failure(const std::string& call) const;

    std::map<uintptr_t, Inf>& infs() { return infs_; }
    std::map<uintptr_t, Queue>& queues() { return queues_; }
    std::set<uintptr_t>& queueContexts() { return queueContexts_; }

    std::vector<std::u16string>& components() { return components_; }
    // Component objects handed out (by object id: the component's id) and class setups.
    std::map<uintptr_t, std::u16string>& componentObjects() { return componentObjects_; }
    std::set<uintptr_t>& classSetups() { return classSetups_; }
    bool& initialized() { return initialized_; }

    // AddService and DelService of `section`, made in `services`; false when the INF has no
    // such section.
    static bool InstallServices(const InfSections& inf, const std::u16string& section,
                                ServiceManager& services);
    // The setup calls made, in order, with the flags that tell them apart.
    std::vector<std::string>& calls() { return calls_; }

  private:
    DriverSetupConfig config_;
    std::map<uintptr_t, Inf> infs_;
    std::map<uintptr_t, Queue> queues_;
    std::set<uintptr_t> queueContexts_;
    std::vector<std::u16string> components_;
    std::map<uintptr_t, std::u16string> componentObjects_;
    std::set<uintptr_t> classSetups_;
    bool initialized_ = false;
    std::vector<std::string> calls_;
};

}  // namespace sim
