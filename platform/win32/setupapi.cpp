#include "platform/setupapi.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <setupapi.h>

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

static_assert(sizeof(Guid) == sizeof(GUID));

namespace {

// SetupAPI's failed handles are INVALID_HANDLE_VALUE; the boundary's are nullptr.
void* Valid(void* handle) {
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

}  // namespace

bool SetupCopyOEMInfW(const char16_t* sourceInfFileName, const char16_t* sourceMediaLocation,
                      uint32_t sourceMediaType, uint32_t copyStyle) {
    return ::SetupCopyOEMInfW(W(sourceInfFileName), W(sourceMediaLocation), sourceMediaType,
                              copyStyle, nullptr, 0, nullptr, nullptr) != FALSE;
}

InfHandle SetupOpenInfFileW(const char16_t* fileName, const char16_t* infClass, uint32_t infStyle) {
    return Valid(::SetupOpenInfFileW(W(fileName), W(infClass), infStyle, nullptr));
}

void SetupCloseInfFile(InfHandle inf) {
    ::SetupCloseInfFile(inf);
}

bool SetupDiClassGuidsFromNameW(const char16_t* className, Guid* classGuidList,
                                uint32_t classGuidListSize, uint32_t* requiredSize) {
    DWORD required = 0;
    BOOL ok = ::SetupDiClassGuidsFromNameW(W(className), reinterpret_cast<GUID*>(classGuidList),
                                           classGuidListSize, &required);
    *requiredSize = required;
    return ok != FALSE;
}

FileQueue SetupOpenFileQueue() {
    return Valid(::SetupOpenFileQueue());
}

bool SetupCloseFileQueue(FileQueue queue) {
    return ::SetupCloseFileQueue(queue) != FALSE;
}

bool SetupInstallFilesFromInfSectionW(InfHandle inf, FileQueue queue, const char16_t* sectionName,
                                      const char16_t* sourceRootPath, uint32_t copyFlags) {
    return ::SetupInstallFilesFromInfSectionW(inf, nullptr, queue, W(sectionName),
                                              W(sourceRootPath), copyFlags) != FALSE;
}

bool SetupInstallServicesFromInfSectionW(InfHandle inf, const char16_t* sectionName,
                                         uint32_t flags) {
    return ::SetupInstallServicesFromInfSectionW(inf, W(sectionName), flags) != FALSE;
}

QueueContext SetupInitDefaultQueueCallback() {
    return ::SetupInitDefaultQueueCallback(nullptr);
}

void SetupTermDefaultQueueCallback(QueueContext context) {
    ::SetupTermDefaultQueueCallback(context);
}

bool SetupCommitFileQueueW(FileQueue queue, QueueContext context) {
    return ::SetupCommitFileQueueW(nullptr, queue, ::SetupDefaultQueueCallbackW, context) != FALSE;
}

RegistryKey SetupDiOpenClassRegKey(const Guid* classGuid, uint32_t samDesired) {
    return Valid(::SetupDiOpenClassRegKey(reinterpret_cast<const GUID*>(classGuid), samDesired));
}

bool SetupInstallFromInfSectionW(InfHandle inf, const char16_t* sectionName, uint32_t flags,
                                 RegistryKey relativeKeyRoot, const char16_t* sourceRootPath,
                                 uint32_t copyFlags) {
    return ::SetupInstallFromInfSectionW(nullptr, inf, W(sectionName), flags,
                                         static_cast<HKEY>(relativeKeyRoot), W(sourceRootPath),
                                         copyFlags, nullptr, nullptr, nullptr, nullptr) != FALSE;
}

}  // namespace platform
