#pragma once
// KERNEL32's Toolhelp snapshots and PSAPI: the processes and threads that run, their
// executables, and ending, suspending and resuming them.

#include <cstdint>

#include "platform/types.h"

namespace platform {

constexpr uint32_t kSnapProcess = 0x02;  // TH32CS_SNAPPROCESS
constexpr uint32_t kSnapThread = 0x04;   // TH32CS_SNAPTHREAD

// PROCESSENTRY32W, the fields read.
struct ProcessEntry {
    uint32_t th32ProcessID;
    char16_t szExeFile[kMaxPath];
};
// THREADENTRY32, the fields read.
struct ThreadEntry {
    uint32_t th32ThreadID;
    uint32_t th32OwnerProcessID;
};

// nullptr on failure (Windows' INVALID_HANDLE_VALUE).
Handle CreateToolhelp32Snapshot(uint32_t flags, uint32_t processId);
bool Process32FirstW(Handle snapshot, ProcessEntry* entry);
bool Process32NextW(Handle snapshot, ProcessEntry* entry);
bool Thread32First(Handle snapshot, ThreadEntry* entry);
bool Thread32Next(Handle snapshot, ThreadEntry* entry);

constexpr uint32_t kProcessTerminate = 0x0001;
constexpr uint32_t kProcessVmRead = 0x0010;
constexpr uint32_t kProcessQueryInformation = 0x0400;
constexpr uint32_t kThreadSuspendResume = 0x0002;

// Not inherited; nullptr on failure.
Handle OpenProcess(uint32_t access, uint32_t processId);
bool TerminateProcess(Handle process, uint32_t exitCode);
// `size` is in bytes; `needed` receives the bytes the whole module list takes.
bool EnumProcessModules(Handle process, Module* modules, uint32_t size, uint32_t* needed);
// The characters written, without the terminator; 0 on failure.
uint32_t GetModuleFileNameExW(Handle process, Module module, char16_t* buffer, uint32_t size);

// Not inherited; nullptr on failure.
Handle OpenThread(uint32_t access, uint32_t threadId);
constexpr uint32_t kThreadCountFailed = 0xFFFFFFFFu;
// The suspend count before the call, or kThreadCountFailed.
uint32_t SuspendThread(Handle thread);
uint32_t ResumeThread(Handle thread);

}  // namespace platform
