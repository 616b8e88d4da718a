#include "checker/checks/process_operations.h"

#include <cstring>

#include "common/file_version_info.h"
#include "common/unique_handle.h"
#include "platform/desktop.h"
#include "platform/process.h"

namespace corvane {

namespace {

// Whether the process's executable (its first module) carries exactly this FileDescription.
bool HasDescription(uint32_t processId, const char16_t* description) {
    UniqueHandle process(platform::OpenProcess(
        platform::kProcessQueryInformation | platform::kProcessVmRead, processId));
    if (!process) {
        return false;
    }
    platform::Module first = nullptr;
    uint32_t needed = 0;
    if (!platform::EnumProcessModules(process.Get(), &first, sizeof first, &needed) ||
        needed < sizeof first) {
        return false;
    }
    char16_t image[platform::kMaxPath] = {};
    if (platform::GetModuleFileNameExW(process.Get(), first, image, platform::kMaxPath) == 0) {
        return false;
    }
    image[platform::kMaxPath - 1] = u'\0';
    std::u16string found;
    return ReadFileDescription(WithoutOuterQuotes(image), found) && found == description;
}

struct WindowSearch {
    uint32_t processId;
    const char16_t* windowClass;
    platform::Window found;
};

int PLATFORM_API OfProcessAndClass(platform::Window window, intptr_t parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    uint32_t owner = 0;
    platform::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) {
        return 1;
    }
    char16_t name[platform::kMaxPath] = {};
    platform::GetClassNameW(window, name, platform::kMaxPath);
    if (std::u16string_view(name) != search->windowClass) {
        return 1;
    }
    search->found = window;
    return 0;
}

// Suspends or resumes every thread of one process; false when no thread snapshot is taken.
bool ForEachThread(uint32_t processId, uint32_t (*change)(platform::Handle)) {
    UniqueHandle snapshot(platform::CreateToolhelp32Snapshot(platform::kSnapThread, 0));
    if (!snapshot) {
        return false;
    }
    platform::ThreadEntry entry{};
    for (bool more = platform::Thread32First(snapshot.Get(), &entry); more;
         more = platform::Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID != processId) {
            continue;
        }
        UniqueHandle thread(
            platform::OpenThread(platform::kThreadSuspendResume, entry.th32ThreadID));
        if (thread) {
            change(thread.Get());
        }
    }
    return true;
}

int ChangeThreads(const ProcessSnapshot& snapshot, const char16_t* executable,
                  const char16_t* description, uint32_t (*change)(platform::Handle)) {
    int handled = 0;
    for (uint32_t processId : snapshot.ProcessesNamed(executable)) {
        if (HasDescription(processId, description) && ForEachThread(processId, change)) {
            ++handled;
        }
    }
    return handled > 0 ? 1 : 0;
}

}  // namespace

std::u16string WithoutOuterQuotes(std::u16string path) {
    if (!path.empty() && path.front() == u'"') {
        path.erase(0, 1);
    }
    if (!path.empty() && path.back() == u'"') {
        path.pop_back();
    }
    return path;
}

bool ReadFileDescription(const std::u16string& path, std::u16string& description) {
    CFileVersionInfo version;
    return version.Load(path.c_str()) && version.GetFileDescription(description);
}

platform::Window FindProcessWindow(const ProcessSnapshot& snapshot, const char16_t* executable,
                                   const char16_t* windowClass, const char16_t* description) {
    std::vector<uint32_t> processes = snapshot.ProcessesNamed(executable);
    if (processes.empty() ||
        (description != nullptr && !HasDescription(processes.front(), description))) {
        return nullptr;
    }
    WindowSearch search{processes.front(), windowClass, nullptr};
    platform::EnumDesktopWindows(OfProcessAndClass, reinterpret_cast<intptr_t>(&search));
    return search.found;
}

int TerminateProcessByName(const ProcessSnapshot& snapshot, const char16_t* executable,
                           const char16_t* description) {
    int terminated = 0;
    for (uint32_t processId : snapshot.ProcessesNamed(executable)) {
        if (!HasDescription(processId, description)) {
            continue;
        }
        UniqueHandle process(platform::OpenProcess(platform::kProcessTerminate, processId));
        if (!process || !platform::TerminateProcess(process.Get(), 0)) {
            return 0;
        }
        ++terminated;
    }
    return terminated > 0 ? 1 : 0;
}

int SuspendProcess(const ProcessSnapshot& snapshot, const char16_t* executable,
                   const char16_t* description) {
    return ChangeThreads(snapshot, executable, description, platform::SuspendThread);
}

int ResumeProcess(const ProcessSnapshot& snapshot, const char16_t* executable,
                  const char16_t* description) {
    return ChangeThreads(snapshot, executable, description, platform::ResumeThread);
}

bool IsProcessRunning(const ProcessSnapshot& snapshot, const char16_t* executable) {
    return !snapshot.ProcessesNamed(executable).empty();
}

}  // namespace corvane
