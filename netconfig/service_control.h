#pragma once
// Starting and stopping services, optionally with the services that depend on them, and
// asking whether one runs. Each call opens and closes its own manager and service handles.

#include <cstdint>

namespace corvane {

class CServiceControl {
  public:
    virtual ~CServiceControl() = default;

    // 1 unless an accepted start did not end running (or stayed pending for 30 s); a refused
    // request (already running, disabled, access denied) still gives 1. 0 when the manager or
    // the service cannot be opened.
    int Start(const char* serviceName, int withDependants);
    // Likewise for a stop that did not end stopped.
    int Stop(const char* serviceName, int withDependants);
    // Whether a service of that name (case does not matter) is active among those of
    // `serviceType` (SERVICE_WIN32 or SERVICE_DRIVER).
    bool IsActive(uint32_t serviceType, const char* serviceName);
};

}  // namespace corvane
