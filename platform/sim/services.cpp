#include "platform/services.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/kernel.h"
#include "platform/sim/pc.h"

namespace platform {

namespace {

using Service = sim::ServiceManager::Service;

constexpr uint32_t kAcceptStop = 1;  // SERVICE_ACCEPT_STOP

bool Fail(uint32_t error) {
    SetLastError(error);
    return false;
}

// The service a handle stands for, settled at the current virtual time; nullptr (with
// ERROR_INVALID_HANDLE) for an unknown handle or the manager's.
Service* ServiceOf(ServiceHandle handle) {
    sim::Pc& pc = sim::CurrentPc();
    const auto* target = pc.services().Lookup(reinterpret_cast<uintptr_t>(handle));
    if (target == nullptr || !target->has_value()) {
        SetLastError(kErrorInvalidHandle);
        return nullptr;
    }
    return &pc.services().At(**target, pc.now());
}

ServiceStatus StatusOf(const Service& service) {
    bool settled = !service.settlesAt.has_value();
    return ServiceStatus{
        .dwServiceType = service.config.type,
        .dwCurrentState = service.state,
        .dwControlsAccepted = service.state == kServiceRunning ? kAcceptStop : 0,
        .dwCheckPoint = settled ? 0u : 1u,
        .dwWaitHint = settled ? 0u : 2000u,
    };
}

// Starts or stops a service: pending for its configured time, then settled.
void Change(Service& service, uint32_t pending, uint32_t pendingMs, uint32_t end) {
    if (pendingMs == 0) {
        service.state = end;
        return;
    }
    service.state = pending;
    service.settledState = end;
    if (pendingMs == sim::kPendingForever) {
        service.settlesAt.reset();
    } else {
        service.settlesAt = sim::CurrentPc().now() + pendingMs;
    }
}

uint32_t StartEnd(const Service& service) {
    return service.config.startFails ? kServiceStopped : kServiceRunning;
}

// What one entry takes in a caller's buffer: the entry and its two names.
uint32_t BytesFor(const Service& service) {
    return static_cast<uint32_t>(sizeof(EnumServiceStatusA) + service.config.name.size() + 1 +
                                 service.config.displayName.size() + 1);
}

// Lays out entries and their names as Windows does: the array first, the names behind it,
// all in the caller's buffer.
void WriteEntries(const std::vector<const Service*>& list, EnumServiceStatusA* services) {
    char* text = reinterpret_cast<char*>(services + list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        const Service& service = *list[i];
        auto put = [&text](const std::string& value) {
            char* start = text;
            std::memcpy(text, value.c_str(), value.size() + 1);
            text += value.size() + 1;
            return start;
        };
        services[i].lpServiceName = put(service.config.name);
        services[i].lpDisplayName = put(service.config.displayName);
        services[i].ServiceStatus = StatusOf(service);
    }
}

bool InState(const Service& service, uint32_t serviceState) {
    bool active = service.state != kServiceStopped;
    return (active && (serviceState & kServiceActive) != 0) ||
           (!active && (serviceState & kServiceInactive) != 0);
}

}  // namespace

ServiceHandle OpenSCManagerA(uint32_t desiredAccess) {
    sim::Pc& pc = sim::CurrentPc();
    // Only administrators may change services.
    if (desiredAccess == kScManagerAllAccess && !pc.scenario().administrator) {
        SetLastError(kErrorAccessDenied);
        return nullptr;
    }
    return reinterpret_cast<ServiceHandle>(pc.services().Open(pc.NextId(), std::nullopt));
}

ServiceHandle OpenServiceA(ServiceHandle manager, const char* serviceName, uint32_t desiredAccess) {
    sim::Pc& pc = sim::CurrentPc();
    const auto* target = pc.services().Lookup(reinterpret_cast<uintptr_t>(manager));
    if (target == nullptr || target->has_value()) {
        SetLastError(kErrorInvalidHandle);
        return nullptr;
    }
    std::optional<size_t> index = pc.services().Find(serviceName == nullptr ? "" : serviceName);
    if (!index.has_value()) {
        SetLastError(kErrorServiceDoesNotExist);
        return nullptr;
    }
    if (desiredAccess == kServiceAllAccess &&
        pc.services().At(*index, pc.now()).config.accessDenied) {
        SetLastError(kErrorAccessDenied);
        return nullptr;
    }
    return reinterpret_cast<ServiceHandle>(pc.services().Open(pc.NextId(), index));
}

bool CloseServiceHandle(ServiceHandle handle) {
    if (!sim::CurrentPc().services().Close(reinterpret_cast<uintptr_t>(handle))) {
        return Fail(kErrorInvalidHandle);
    }
    return true;
}

bool StartServiceA(ServiceHandle service) {
    Service* target = ServiceOf(service);
    if (target == nullptr) {
        return false;
    }
    sim::Pc& pc = sim::CurrentPc();
    pc.services().requests().push_back("start " + target->config.name);
    if (target->state != kServiceStopped) {
        return Fail(kErrorServiceAlreadyRunning);
    }
    // The manager first starts what the service depends on and waits for it to run.
    auto self = pc.services().Find(target->config.name);
    for (size_t index : pc.services().Dependencies(*self)) {
        Service& dependency = pc.services().At(index, pc.now());
        if (dependency.state == kServiceRunning) {
            continue;
        }
        if (dependency.state != kServiceStopped || dependency.config.startFails ||
            dependency.config.startPendingMs == sim::kPendingForever) {
            return Fail(kErrorServiceDependencyFail);
        }
        pc.scheduler().Sleep(dependency.config.startPendingMs);
        dependency.state = kServiceRunning;
    }
    Change(*target, kServiceStartPending, target->config.startPendingMs, StartEnd(*target));
    return true;
}

bool ControlService(ServiceHandle service, uint32_t control, ServiceStatus* status) {
    Service* target = ServiceOf(service);
    if (target == nullptr) {
        return false;
    }
    if (control != kServiceControlStop) {
        return Fail(kErrorInvalidParameter);
    }
    sim::Pc& pc = sim::CurrentPc();
    pc.services().requests().push_back("stop " + target->config.name);
    *status = StatusOf(*target);
    if (target->state == kServiceStopped) {
        return Fail(kErrorServiceNotActive);
    }
    if (target->state != kServiceRunning) {
        return Fail(kErrorServiceCannotAcceptControl);
    }
    for (size_t index : pc.services().Dependants(*pc.services().Find(target->config.name))) {
        if (pc.services().At(index, pc.now()).state != kServiceStopped) {
            return Fail(kErrorDependentServicesRunning);
        }
    }
    Change(*target, kServiceStopPending, target->config.stopPendingMs, kServiceStopped);
    *status = StatusOf(*target);
    return true;
}

bool QueryServiceStatus(ServiceHandle service, ServiceStatus* status) {
    Service* target = ServiceOf(service);
    if (target == nullptr) {
        return false;
    }
    *status = StatusOf(*target);
    return true;
}

bool EnumDependentServicesA(ServiceHandle service, uint32_t serviceState,
                            EnumServiceStatusA* services, uint32_t bufSize, uint32_t* bytesNeeded,
                            uint32_t* servicesReturned) {
    *bytesNeeded = 0;
    *servicesReturned = 0;
    Service* target = ServiceOf(service);
    if (target == nullptr) {
        return false;
    }
    sim::Pc& pc = sim::CurrentPc();
    std::vector<const Service*> list;
    uint32_t needed = 0;
    for (size_t index : pc.services().Dependants(*pc.services().Find(target->config.name))) {
        const Service& dependant = pc.services().At(index, pc.now());
        if (InState(dependant, serviceState)) {
            list.push_back(&dependant);
            needed += BytesFor(dependant);
        }
    }
    if (needed > bufSize) {
        *bytesNeeded = needed;
        return Fail(kErrorMoreData);
    }
    WriteEntries(list, services);
    *servicesReturned = static_cast<uint32_t>(list.size());
    return true;
}

bool EnumServicesStatusA(ServiceHandle manager, uint32_t serviceType, uint32_t serviceState,
                         EnumServiceStatusA* services, uint32_t bufSize, uint32_t* bytesNeeded,
                         uint32_t* servicesReturned, uint32_t* resumeHandle) {
    *bytesNeeded = 0;
    *servicesReturned = 0;
    sim::Pc& pc = sim::CurrentPc();
    const auto* target = pc.services().Lookup(reinterpret_cast<uintptr_t>(manager));
    if (target == nullptr || target->has_value()) {
        return Fail(kErrorInvalidHandle);
    }
    std::vector<const Service*> fits;
    uint32_t used = 0;
    uint32_t rest = 0;
    for (size_t index = *resumeHandle; index < pc.services().size(); ++index) {
        const Service& service = pc.services().At(index, pc.now());
        if (service.deleted || (service.config.type & serviceType) == 0 ||
            !InState(service, serviceState)) {
            continue;
        }
        if (rest == 0 && used + BytesFor(service) <= bufSize) {
            fits.push_back(&service);
            used += BytesFor(service);
            *resumeHandle = static_cast<uint32_t>(index + 1);
        } else {
            rest += BytesFor(service);
        }
    }
    WriteEntries(fits, services);
    *servicesReturned = static_cast<uint32_t>(fits.size());
    if (rest > 0) {
        *bytesNeeded = rest;
        return Fail(kErrorMoreData);
    }
    *resumeHandle = 0;
    return true;
}

}  // namespace platform
