#include "platform/process.h"

#include <algorithm>
#include <string>

#include "platform/kernel.h"
#include "platform/sim/pc.h"

namespace platform {

namespace {

// Where every executable is mapped, as the linker lays programs out.
constexpr uintptr_t kImageBase = 0x400000;
constexpr uintptr_t kNtdllBase = 0x7C900000;
constexpr uintptr_t kKernel32Base = 0x7C800000;

template <typename T>
T* Object(Handle handle) {
    sim::KernelObject* object = sim::CurrentPc().FindObject(handle);
    return object == nullptr ? nullptr : std::get_if<T>(object);
}

// The process a handle was opened for, while it runs and the access allows.
sim::ProcessTable::Process* Opened(Handle handle, uint32_t access) {
    const sim::ProcessHandle* opened = Object<sim::ProcessHandle>(handle);
    if (opened == nullptr) {
        SetLastError(6);  // ERROR_INVALID_HANDLE
        return nullptr;
    }
    if ((opened->access & access) != access) {
        SetLastError(kErrorAccessDenied);
        return nullptr;
    }
    sim::ProcessTable::Process* process = sim::CurrentPc().processes().Running(opened->processId);
    if (process == nullptr) {
        SetLastError(299);  // ERROR_PARTIAL_COPY: its memory is gone
    }
    return process;
}

void CopyName(const std::u16string& name, char16_t (&out)[kMaxPath]) {
    size_t length = std::min(name.size(), static_cast<size_t>(kMaxPath - 1));
    std::copy_n(name.begin(), length, out);
    out[length] = u'\0';
}

void Fill(const std::pair<uint32_t, std::u16string>& process, ProcessEntry* entry) {
    entry->th32ProcessID = process.first;
    CopyName(process.second, entry->szExeFile);
}

void Fill(const std::pair<uint32_t, uint32_t>& thread, ThreadEntry* entry) {
    entry->th32ThreadID = thread.first;
    entry->th32OwnerProcessID = thread.second;
}

// The next entry of a snapshot's processes or threads, from the first when asked.
template <typename Entry, typename List>
bool Next(Handle snapshot, List sim::ToolhelpSnapshot::*list, size_t sim::ToolhelpSnapshot::*next,
          Entry* entry, bool first) {
    sim::ToolhelpSnapshot* taken = Object<sim::ToolhelpSnapshot>(snapshot);
    if (taken == nullptr) {
        SetLastError(6);  // ERROR_INVALID_HANDLE
        return false;
    }
    size_t& at = taken->*next;
    if (first) {
        at = 0;
    }
    if (at >= (taken->*list).size()) {
        SetLastError(18);  // ERROR_NO_MORE_FILES
        return false;
    }
    Fill((taken->*list)[at++], entry);
    return true;
}

bool NextProcess(Handle snapshot, ProcessEntry* entry, bool first) {
    return Next(snapshot, &sim::ToolhelpSnapshot::processes, &sim::ToolhelpSnapshot::nextProcess,
                entry, first);
}

bool NextThread(Handle snapshot, ThreadEntry* entry, bool first) {
    return Next(snapshot, &sim::ToolhelpSnapshot::threads, &sim::ToolhelpSnapshot::nextThread,
                entry, first);
}

sim::ProcessTable::Thread* FindThread(uint32_t threadId) {
    sim::ProcessTable::Process* owner = sim::CurrentPc().processes().OwnerOfThread(threadId);
    if (owner == nullptr) {
        return nullptr;
    }
    for (sim::ProcessTable::Thread& thread : owner->threads) {
        if (thread.id == threadId) {
            return &thread;
        }
    }
    return nullptr;
}

sim::ProcessTable::Thread* Opened(Handle handle) {
    const sim::ThreadHandle* opened = Object<sim::ThreadHandle>(handle);
    sim::ProcessTable::Thread* thread = opened == nullptr ? nullptr : FindThread(opened->threadId);
    if (thread == nullptr) {
        SetLastError(6);
    }
    return thread;
}

}  // namespace

Handle CreateToolhelp32Snapshot(uint32_t flags, uint32_t) {
    sim::Pc& pc = sim::CurrentPc();
    sim::ToolhelpSnapshot snapshot;
    for (sim::ProcessTable::Process& process : pc.processes().all()) {
        if (!process.running) {
            continue;
        }
        if ((flags & kSnapProcess) != 0) {
            snapshot.processes.emplace_back(process.id, sim::ProcessTable::ExeName(process.image));
        }
        if ((flags & kSnapThread) != 0) {
            for (const sim::ProcessTable::Thread& thread : process.threads) {
                snapshot.threads.emplace_back(thread.id, process.id);
            }
        }
    }
    for (sim::ProcessTable::Process& process : pc.processes().all()) {
        if (process.running && process.vanishes) {
            pc.processes().End(process);
        }
    }
    return pc.AddObject(std::move(snapshot));
}

bool Process32FirstW(Handle snapshot, ProcessEntry* entry) {
    return NextProcess(snapshot, entry, true);
}

bool Process32NextW(Handle snapshot, ProcessEntry* entry) {
    return NextProcess(snapshot, entry, false);
}

bool Thread32First(Handle snapshot, ThreadEntry* entry) {
    return NextThread(snapshot, entry, true);
}

bool Thread32Next(Handle snapshot, ThreadEntry* entry) {
    return NextThread(snapshot, entry, false);
}

Handle OpenProcess(uint32_t access, uint32_t processId) {
    sim::Pc& pc = sim::CurrentPc();
    const sim::ProcessTable::Process* process = pc.processes().Running(processId);
    if (process == nullptr) {
        SetLastError(kErrorInvalidParameter);
        return nullptr;
    }
    if ((access & kProcessTerminate) != 0 && process->terminateRefused) {
        SetLastError(kErrorAccessDenied);
        return nullptr;
    }
    return pc.AddObject(sim::ProcessHandle{processId, access});
}

bool TerminateProcess(Handle process, uint32_t) {
    sim::ProcessTable::Process* target = Opened(process, kProcessTerminate);
    if (target == nullptr) {
        return false;
    }
    sim::CurrentPc().processes().End(*target);
    return true;
}

bool EnumProcessModules(Handle process, Module* modules, uint32_t size, uint32_t* needed) {
    if (Opened(process, kProcessQueryInformation | kProcessVmRead) == nullptr) {
        return false;
    }
    const uintptr_t loaded[] = {kImageBase, kNtdllBase, kKernel32Base};
    *needed = static_cast<uint32_t>(sizeof loaded / sizeof loaded[0] * sizeof(Module));
    for (size_t i = 0; i < std::size(loaded) && (i + 1) * sizeof(Module) <= size; ++i) {
        modules[i] = reinterpret_cast<Module>(loaded[i]);
    }
    return true;
}

uint32_t GetModuleFileNameExW(Handle process, Module module, char16_t* buffer, uint32_t size) {
    sim::ProcessTable::Process* target = Opened(process, kProcessQueryInformation | kProcessVmRead);
    if (target == nullptr || size == 0) {
        return 0;
    }
    uintptr_t base = reinterpret_cast<uintptr_t>(module);
    std::u16string path =
        base == 0 || base == kImageBase ? target->image
        : base == kNtdllBase    ? sim::CurrentPc().scenario().systemDirectory + u"\\ntdll.dll"
        : base == kKernel32Base ? sim::CurrentPc().scenario().systemDirectory + u"\\kernel32.dll"
                                : u"";
    if (path.empty()) {
        SetLastError(126);  // ERROR_MOD_NOT_FOUND
        return 0;
    }
    size_t length = std::min<size_t>(path.size(), size - 1);
    std::copy_n(path.begin(), length, buffer);
    buffer[length] = u'\0';
    return static_cast<uint32_t>(length);
}

Handle OpenThread(uint32_t, uint32_t threadId) {
    if (FindThread(threadId) == nullptr) {
        SetLastError(kErrorInvalidParameter);
        return nullptr;
    }
    return sim::CurrentPc().AddObject(sim::ThreadHandle{threadId});
}

uint32_t SuspendThread(Handle thread) {
    sim::ProcessTable::Thread* target = Opened(thread);
    return target == nullptr ? kThreadCountFailed : target->suspendCount++;
}

uint32_t ResumeThread(Handle thread) {
    sim::ProcessTable::Thread* target = Opened(thread);
    if (target == nullptr) {
        return kThreadCountFailed;
    }
    uint32_t previous = target->suspendCount;
    target->suspendCount -= previous > 0 ? 1 : 0;
    return previous;
}

}  // namespace platform
