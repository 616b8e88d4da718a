#include "netconfig/service_control.h"

#include <memory>
#include <new>

#include "netconfig/unique_service.h"
#include "platform/kernel.h"
#include "platform/services.h"

namespace corvane {

namespace {

using platform::EnumServiceStatusA;

// The dependants' entries and their names share one buffer of this size.
constexpr uint32_t kDependantsBufferSize = 576;
constexpr uint32_t kPollMs = 500;
// A service still pending after this long is taken as failed, so that it cannot hold the check.
constexpr uint32_t kPendingLimitMs = 30000;

// Service names compare without case, as the manager compares them.
bool SameServiceName(const char* a, const char* b) {
    auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    for (; *a != '\0' && fold(*a) == fold(*b); ++a, ++b) {
    }
    return fold(*a) == fold(*b);
}

UniqueServiceHandle OpenManager() {
    return UniqueServiceHandle(platform::OpenSCManagerA(platform::kScManagerAllAccess));
}

UniqueServiceHandle OpenService(const UniqueServiceHandle& manager, const char* name) {
    return UniqueServiceHandle(
        platform::OpenServiceA(manager.Get(), name, platform::kServiceAllAccess));
}

// A service opened for control, with the manager it came from; the service closes first.
struct OpenedService {
    UniqueServiceHandle manager;
    UniqueServiceHandle service;
};

OpenedService OpenForControl(const char* name) {
    OpenedService opened{OpenManager(), {}};
    if (opened.manager) {
        opened.service = OpenService(opened.manager, name);
    }
    return opened;
}

// Polls while the service is in `pending`; true when it then is in `wanted`. A failed query
// ends the wait; so does the pending limit.
bool Settles(const UniqueServiceHandle& service, uint32_t pending, uint32_t wanted) {
    platform::ServiceStatus status{};
    bool known = platform::QueryServiceStatus(service.Get(), &status);
    for (uint32_t waited = 0; known && status.dwCurrentState == pending; waited += kPollMs) {
        if (waited >= kPendingLimitMs) {
            return false;
        }
        platform::Sleep(kPollMs);
        known = platform::QueryServiceStatus(service.Get(), &status);
    }
    return status.dwCurrentState == wanted;
}

// Calls `each` with the name of every dependant in `state`, in the manager's order or in
// reverse. Nothing when they do not fit the buffer.
template <typename Each>
void ForEachDependant(const UniqueServiceHandle& service, uint32_t state, bool reverse, Each each) {
    alignas(EnumServiceStatusA) unsigned char buffer[kDependantsBufferSize];
    auto* entries = reinterpret_cast<EnumServiceStatusA*>(buffer);
    uint32_t needed = 0;
    uint32_t count = 0;
    if (!platform::EnumDependentServicesA(service.Get(), state, entries, sizeof(buffer), &needed,
                                          &count)) {
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        each(entries[reverse ? count - 1 - i : i].lpServiceName);
    }
}

}  // namespace

int CServiceControl::Start(const char* serviceName, int withDependants) {
    OpenedService opened = OpenForControl(serviceName);
    const UniqueServiceHandle& service = opened.service;
    if (!service) {
        return 0;
    }
    if (withDependants == 1) {
        // The manager lists dependants last-started first: start them the other way round.
        ForEachDependant(service, platform::kServiceInactive, true,
                         [this](const char* name) { Start(name, 0); });
    }
    if (!platform::StartServiceA(service.Get())) {
        return 1;
    }
    return Settles(service, platform::kServiceStartPending, platform::kServiceRunning) ? 1 : 0;
}

int CServiceControl::Stop(const char* serviceName, int withDependants) {
    OpenedService opened = OpenForControl(serviceName);
    const UniqueServiceHandle& service = opened.service;
    if (!service) {
        return 0;
    }
    if (withDependants == 1) {
        ForEachDependant(service, platform::kServiceActive, false,
                         [this](const char* name) { Stop(name, 0); });
    }
    platform::ServiceStatus status{};
    if (!platform::ControlService(service.Get(), platform::kServiceControlStop, &status)) {
        return 1;
    }
    return Settles(service, platform::kServiceStopPending, platform::kServiceStopped) ? 1 : 0;
}

bool CServiceControl::IsActive(uint32_t serviceType, const char* serviceName) {
    UniqueServiceHandle manager = OpenManager();
    if (!manager) {
        return false;
    }
    // One entry without room for its names: the call then reports the size of all.
    constexpr uint32_t kEntry = sizeof(EnumServiceStatusA);
    EnumServiceStatusA probe{};
    uint32_t needed = 0;
    uint32_t count = 0;
    uint32_t resume = 0;
    if (platform::EnumServicesStatusA(manager.Get(), serviceType, platform::kServiceActive, &probe,
                                      kEntry, &needed, &count, &resume) ||
        platform::GetLastError() != platform::kErrorMoreData) {
        return false;
    }
    uint32_t entries = (needed + kEntry) / kEntry;
    std::unique_ptr<EnumServiceStatusA[]> list(new (std::nothrow) EnumServiceStatusA[entries]);
    resume = 0;
    if (!list ||
        !platform::EnumServicesStatusA(manager.Get(), serviceType, platform::kServiceActive,
                                       list.get(), entries * kEntry, &needed, &count, &resume)) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (SameServiceName(list[i].lpServiceName, serviceName)) {
            return true;
        }
    }
    return false;
}

}  // namespace corvane
