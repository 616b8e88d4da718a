#include "platform/services.h"

#include <windows.h>

#include <cstddef>

namespace platform {

static_assert(sizeof(EnumServiceStatusA) == sizeof(ENUM_SERVICE_STATUSA));
static_assert(offsetof(EnumServiceStatusA, ServiceStatus) ==
              offsetof(ENUM_SERVICE_STATUSA, ServiceStatus));

namespace {

SC_HANDLE Sc(ServiceHandle handle) {
    return static_cast<SC_HANDLE>(handle);
}
SERVICE_STATUS* Status(ServiceStatus* status) {
    return reinterpret_cast<SERVICE_STATUS*>(status);
}
ENUM_SERVICE_STATUSA* Entries(EnumServiceStatusA* services) {
    return reinterpret_cast<ENUM_SERVICE_STATUSA*>(services);
}

}  // namespace

ServiceHandle OpenSCManagerA(uint32_t desiredAccess) {
    return ::OpenSCManagerA(nullptr, nullptr, desiredAccess);
}

ServiceHandle OpenServiceA(ServiceHandle manager, const char* serviceName, uint32_t desiredAccess) {
    return ::OpenServiceA(Sc(manager), serviceName, desiredAccess);
}

bool CloseServiceHandle(ServiceHandle handle) {
    return ::CloseServiceHandle(Sc(handle)) != FALSE;
}

bool StartServiceA(ServiceHandle service) {
    return ::StartServiceA(Sc(service), 0, nullptr) != FALSE;
}

bool ControlService(ServiceHandle service, uint32_t control, ServiceStatus* status) {
    return ::ControlService(Sc(service), control, Status(status)) != FALSE;
}

bool QueryServiceStatus(ServiceHandle service, ServiceStatus* status) {
    return ::QueryServiceStatus(Sc(service), Status(status)) != FALSE;
}

bool EnumDependentServicesA(ServiceHandle service, uint32_t serviceState,
                            EnumServiceStatusA* services, uint32_t bufSize, uint32_t* bytesNeeded,
                            uint32_t* servicesReturned) {
    DWORD needed = 0;
    DWORD returned = 0;
    BOOL ok = ::EnumDependentServicesA(Sc(service), serviceState, Entries(services), bufSize,
                                       &needed, &returned);
    *bytesNeeded = needed;
    *servicesReturned = returned;
    return ok != FALSE;
}

bool EnumServicesStatusA(ServiceHandle manager, uint32_t serviceType, uint32_t serviceState,
                         EnumServiceStatusA* services, uint32_t bufSize, uint32_t* bytesNeeded,
                         uint32_t* servicesReturned, uint32_t* resumeHandle) {
    DWORD needed = 0;
    DWORD returned = 0;
    DWORD resume = *resumeHandle;
    BOOL ok = ::EnumServicesStatusA(Sc(manager), serviceType, serviceState, Entries(services),
                                    bufSize, &needed, &returned, &resume);
    *bytesNeeded = needed;
    *servicesReturned = returned;
    *resumeHandle = resume;
    return ok != FALSE;
}

}  // namespace platform
