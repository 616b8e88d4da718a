#include "platform/desktop.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/kernel.h"
#include "platform/sim/pc.h"

namespace platform {

namespace {

constexpr uintptr_t kDesktopWindow = 0x10010;
constexpr uint32_t kErrorInvalidWindowHandle = 1400;
constexpr uint32_t kErrorTimeout = 1460;

sim::ProcessTable::Process* Owner(Window window, sim::ProcessTable::Window** found) {
    sim::ProcessTable::Process* owner =
        sim::CurrentPc().processes().OwnerOfWindow(reinterpret_cast<uintptr_t>(window), found);
    if (owner == nullptr) {
        SetLastError(kErrorInvalidWindowHandle);
    }
    return owner;
}

}  // namespace

bool EnumDesktopWindows(EnumWindowsProc callback, intptr_t parameter) {
    // The list as it stands when the enumeration starts: a callback may close windows.
    std::vector<uintptr_t> windows;
    for (const sim::ProcessTable::Process& process : sim::CurrentPc().processes().all()) {
        for (const sim::ProcessTable::Window& window : process.windows) {
            windows.push_back(window.handle);
        }
    }
    for (uintptr_t window : windows) {
        if (callback(reinterpret_cast<Window>(window), parameter) == 0) {
            break;
        }
    }
    return true;
}

uint32_t GetWindowThreadProcessId(Window window, uint32_t* processId) {
    sim::ProcessTable::Window* found = nullptr;
    const sim::ProcessTable::Process* owner = Owner(window, &found);
    if (owner == nullptr) {
        return 0;
    }
    if (processId != nullptr) {
        *processId = owner->id;
    }
    return owner->threads.front().id;
}

int GetClassNameW(Window window, char16_t* buffer, int size) {
    sim::ProcessTable::Window* found = nullptr;
    if (Owner(window, &found) == nullptr || size <= 0) {
        return 0;
    }
    const std::u16string& name = found->config.className;
    size_t length = std::min(name.size(), static_cast<size_t>(size - 1));
    std::copy_n(name.begin(), length, buffer);
    buffer[length] = u'\0';
    return static_cast<int>(length);
}

Window GetDesktopWindow() {
    return reinterpret_cast<Window>(kDesktopWindow);
}

bool SendMessageTimeoutW(Window window, uint32_t message, uintptr_t, intptr_t, uint32_t,
                         uint32_t timeoutMs, uintptr_t* result) {
    sim::ProcessTable::Window* found = nullptr;
    sim::ProcessTable::Process* owner = Owner(window, &found);
    if (owner == nullptr) {
        return false;
    }
    if (found->config.hung) {
        Sleep(timeoutMs);
        SetLastError(kErrorTimeout);
        return false;
    }
    if (message == kWmClose && found->config.closesOnWmClose) {
        sim::CurrentPc().processes().End(*owner);
    }
    if (result != nullptr) {
        *result = 0;
    }
    return true;
}

}  // namespace platform
