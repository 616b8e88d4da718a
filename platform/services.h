#pragma once
// ADVAPI32's Service Control Manager: the calls the core makes, with 8-bit names.

#include <cstdint>

#include "platform/types.h"

namespace platform {

using ServiceHandle = void*;  // SC_HANDLE, of the manager or of one service

constexpr uint32_t kScManagerAllAccess = 0xF003F;
constexpr uint32_t kServiceAllAccess = 0xF01FF;

constexpr uint32_t kServiceDriver = 0x0B;  // kernel and file system drivers
constexpr uint32_t kServiceWin32 = 0x30;   // own- and shared-process services

constexpr uint32_t kServiceActive = 1;
constexpr uint32_t kServiceInactive = 2;

constexpr uint32_t kServiceStopped = 1;
constexpr uint32_t kServiceStartPending = 2;
constexpr uint32_t kServiceStopPending = 3;
constexpr uint32_t kServiceRunning = 4;

constexpr uint32_t kServiceControlStop = 1;

constexpr uint32_t kErrorInvalidHandle = 6;
constexpr uint32_t kErrorDependentServicesRunning = 1051;
constexpr uint32_t kErrorServiceAlreadyRunning = 1056;
constexpr uint32_t kErrorServiceDoesNotExist = 1060;
constexpr uint32_t kErrorServiceCannotAcceptControl = 1061;
constexpr uint32_t kErrorServiceNotActive = 1062;
constexpr uint32_t kErrorServiceDependencyFail = 1068;

// SERVICE_STATUS
struct ServiceStatus {
    uint32_t dwServiceType;
    uint32_t dwCurrentState;
    uint32_t dwControlsAccepted;
    uint32_t dwWin32ExitCode;
    uint32_t dwServiceSpecificExitCode;
    uint32_t dwCheckPoint;
    uint32_t dwWaitHint;
};
static_assert(sizeof(ServiceStatus) == 28);

// ENUM_SERVICE_STATUSA: 36 bytes in a 32-bit program. The names point into the same buffer,
// behind the array of entries.
struct EnumServiceStatusA {
    char* lpServiceName;
    char* lpDisplayName;
    platform::ServiceStatus ServiceStatus;
};

// The local machine's active database.
ServiceHandle OpenSCManagerA(uint32_t desiredAccess);
ServiceHandle OpenServiceA(ServiceHandle manager, const char* serviceName, uint32_t desiredAccess);
bool CloseServiceHandle(ServiceHandle handle);

// Without arguments for the service.
bool StartServiceA(ServiceHandle service);
bool ControlService(ServiceHandle service, uint32_t control, ServiceStatus* status);
bool QueryServiceStatus(ServiceHandle service, ServiceStatus* status);

// `bufSize` bytes at `services`; when they do not hold every entry with its names, fails with
// ERROR_MORE_DATA and `bytesNeeded` says how many would.
bool EnumDependentServicesA(ServiceHandle service, uint32_t serviceState,
                            EnumServiceStatusA* services, uint32_t bufSize, uint32_t* bytesNeeded,
                            uint32_t* servicesReturned);
// The services of that type and state. With ERROR_MORE_DATA it returns the entries that fit,
// `bytesNeeded` for the rest and where to resume in `resumeHandle`.
bool EnumServicesStatusA(ServiceHandle manager, uint32_t serviceType, uint32_t serviceState,
                         EnumServiceStatusA* services, uint32_t bufSize, uint32_t* bytesNeeded,
                         uint32_t* servicesReturned, uint32_t* resumeHandle);

}  // namespace platform
