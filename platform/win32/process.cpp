#include "platform/process.h"

#include <windows.h>
// After windows.h, which they build on.
#include <psapi.h>
#include <tlhelp32.h>

#include "platform/win32/wide.h"

using platform::win32::W;

namespace platform {

static_assert(sizeof(HMODULE) == sizeof(Module));

namespace {

void Copy(const PROCESSENTRY32W& from, ProcessEntry* to) {
    to->th32ProcessID = from.th32ProcessID;
    win32::CopyText(from.szExeFile, to->szExeFile);
}

void Copy(const THREADENTRY32& from, ThreadEntry* to) {
    to->th32ThreadID = from.th32ThreadID;
    to->th32OwnerProcessID = from.th32OwnerProcessID;
}

// Process32FirstW and its companions with the entry's size set and the fields copied out.
template <class Native, class Entry>
bool Walk(BOOL(WINAPI* step)(HANDLE, Native*), Handle snapshot, Entry* entry) {
    Native native{};
    native.dwSize = sizeof native;
    if (step(snapshot, &native) == FALSE) {
        return false;
    }
    Copy(native, entry);
    return true;
}

}  // namespace

Handle CreateToolhelp32Snapshot(uint32_t flags, uint32_t processId) {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(flags, processId);
    return snapshot == INVALID_HANDLE_VALUE ? nullptr : snapshot;
}

bool Process32FirstW(Handle snapshot, ProcessEntry* entry) {
    return Walk(::Process32FirstW, snapshot, entry);
}

bool Process32NextW(Handle snapshot, ProcessEntry* entry) {
    return Walk(::Process32NextW, snapshot, entry);
}

bool Thread32First(Handle snapshot, ThreadEntry* entry) {
    return Walk(::Thread32First, snapshot, entry);
}

bool Thread32Next(Handle snapshot, ThreadEntry* entry) {
    return Walk(::Thread32Next, snapshot, entry);
}

Handle OpenProcess(uint32_t access, uint32_t processId) {
    return ::OpenProcess(access, FALSE, processId);
}

bool TerminateProcess(Handle process, uint32_t exitCode) {
    return ::TerminateProcess(process, exitCode) != FALSE;
}

bool EnumProcessModules(Handle process, Module* modules, uint32_t size, uint32_t* needed) {
    DWORD bytes = 0;
    BOOL ok = ::EnumProcessModules(process, reinterpret_cast<HMODULE*>(modules), size, &bytes);
    *needed = bytes;
    return ok != FALSE;
}

uint32_t GetModuleFileNameExW(Handle process, Module module, char16_t* buffer, uint32_t size) {
    return ::GetModuleFileNameExW(process, static_cast<HMODULE>(module), W(buffer), size);
}

Handle OpenThread(uint32_t access, uint32_t threadId) {
    return ::OpenThread(access, FALSE, threadId);
}

uint32_t SuspendThread(Handle thread) {
    return ::SuspendThread(thread);
}

uint32_t ResumeThread(Handle thread) {
    return ::ResumeThread(thread);
}

}  // namespace platform
