#pragma once
// SETUPAPI: setup information files, file queues and device classes, with UTF-16 texts.

#include <cstdint>

#include "platform/registry.h"
#include "platform/types.h"

namespace platform {

using InfHandle = void*;     // HINF
using FileQueue = void*;     // HSPFILEQ
using QueueContext = void*;  // the default queue callback's context

constexpr uint32_t kSpostPath = 1;                      // SPOST_PATH
constexpr uint32_t kSpCopyReplaceOnly = 0x02;           // SP_COPY_REPLACEONLY
constexpr uint32_t kSpCopyNoOverwrite = 0x08;           // SP_COPY_NOOVERWRITE
constexpr uint32_t kSpCopySourceAbsolute = 0x40;        // SP_COPY_SOURCE_ABSOLUTE
constexpr uint32_t kInfStyleWin4 = 2;                   // INF_STYLE_WIN4
constexpr uint32_t kErrorFileExists = 80;               // ERROR_FILE_EXISTS
constexpr uint32_t kErrorSectionNotFound = 0xE0000102;  // ERROR_SECTION_NOT_FOUND
constexpr uint32_t kErrorClassMismatch = 0xE0000203;    // ERROR_CLASS_MISMATCH
constexpr uint32_t kErrorInvalidClass = 0xE0000209;     // ERROR_INVALID_CLASS

// Copies the file into the system's setup-information directory under an "oem" name; the
// name it was given is not asked for.
bool SetupCopyOEMInfW(const char16_t* sourceInfFileName, const char16_t* sourceMediaLocation,
                      uint32_t sourceMediaType, uint32_t copyStyle);

// nullptr on failure (Windows' INVALID_HANDLE_VALUE), with the last error; no error line.
InfHandle SetupOpenInfFileW(const char16_t* fileName, const char16_t* infClass, uint32_t infStyle);
void SetupCloseInfFile(InfHandle inf);

bool SetupDiClassGuidsFromNameW(const char16_t* className, Guid* classGuidList,
                                uint32_t classGuidListSize, uint32_t* requiredSize);

// nullptr on failure (Windows' INVALID_HANDLE_VALUE).
FileQueue SetupOpenFileQueue();
bool SetupCloseFileQueue(FileQueue queue);

// Without a layout file.
bool SetupInstallFilesFromInfSectionW(InfHandle inf, FileQueue queue, const char16_t* sectionName,
                                      const char16_t* sourceRootPath, uint32_t copyFlags);
bool SetupInstallServicesFromInfSectionW(InfHandle inf, const char16_t* sectionName,
                                         uint32_t flags);

// Without an owner window; nullptr on failure.
QueueContext SetupInitDefaultQueueCallback();
void SetupTermDefaultQueueCallback(QueueContext context);
// With SetupDefaultQueueCallbackW and its context, no owner window.
bool SetupCommitFileQueueW(FileQueue queue, QueueContext context);

// The class's key under the Class branch; nullptr on failure (Windows' INVALID_HANDLE_VALUE).
RegistryKey SetupDiOpenClassRegKey(const Guid* classGuid, uint32_t samDesired);

// No owner window, no callback and no device.
bool SetupInstallFromInfSectionW(InfHandle inf, const char16_t* sectionName, uint32_t flags,
                                 RegistryKey relativeKeyRoot, const char16_t* sourceRootPath,
                                 uint32_t copyFlags);

}  // namespace platform
