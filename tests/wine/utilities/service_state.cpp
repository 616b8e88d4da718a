#include "tests/wine/utilities/service_state.h"

#include <memory>

#include "tests/wine/utilities/poll.h"

namespace utilities {

namespace {

struct ServiceCloser {
    void operator()(SC_HANDLE handle) const { ::CloseServiceHandle(handle); }
};
using ScopedService = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceCloser>;

ScopedService OpenTheService(const wchar_t* name) {
    ScopedService manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) {
        return nullptr;
    }
    return ScopedService(
        ::OpenServiceW(manager.get(), name, SERVICE_QUERY_STATUS | SERVICE_START | SERVICE_STOP));
}

DWORD StateOf(SC_HANDLE service) {
    SERVICE_STATUS status{};
    return ::QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
}

}  // namespace

DWORD ServiceState(const wchar_t* name) {
    ScopedService service = OpenTheService(name);
    return service ? StateOf(service.get()) : 0;
}

bool BringServiceTo(const wchar_t* name, DWORD state) {
    ScopedService service = OpenTheService(name);
    if (!service) {
        return false;
    }
    if (StateOf(service.get()) != state) {
        SERVICE_STATUS status{};
        if (state == SERVICE_RUNNING) {
            ::StartServiceW(service.get(), 0, nullptr);
        } else {
            ::ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
        }
    }
    return PollUntil([&] { return StateOf(service.get()) == state; });
}

}  // namespace utilities
