#pragma once
// What the utility control does to other programs: finding a utility's window, ending,
// suspending and resuming it. Each acts only on processes of the snapshot whose executable
// carries the expected FileDescription, so that a user's own program that merely shares a
// utility's file name is never touched.

#include <cstdint>
#include <string>

#include "checker/checks/process_snapshot.h"
#include "platform/types.h"

namespace corvane {

// A path as a command line may quote it, without the quotes at either end.
std::u16string WithoutOuterQuotes(std::u16string path);

// The FileDescription of a file's version resource; false when it has none.
bool ReadFileDescription(const std::u16string& path, std::u16string& description);

// The top-level window of `windowClass` that belongs to the snapshot's first process of that
// executable name; with a description, only when that process's executable carries it.
platform::Window FindProcessWindow(const ProcessSnapshot& snapshot, const char16_t* executable,
                                   const char16_t* windowClass, const char16_t* description);

// 1 when at least one process was ended and none failed; the first failure stops.
int TerminateProcessByName(const ProcessSnapshot& snapshot, const char16_t* executable,
                           const char16_t* description);
// 1 when the threads of at least one process were suspended (resumed).
int SuspendProcess(const ProcessSnapshot& snapshot, const char16_t* executable,
                   const char16_t* description);
int ResumeProcess(const ProcessSnapshot& snapshot, const char16_t* executable,
                  const char16_t* description);

bool IsProcessRunning(const ProcessSnapshot& snapshot, const char16_t* executable);

}  // namespace corvane
