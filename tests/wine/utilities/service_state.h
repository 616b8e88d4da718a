#pragma once
// A service's state as the Service Control Manager reports it, and putting it there.

#include <windows.h>

namespace utilities {

// SERVICE_STOPPED, SERVICE_RUNNING, ...; 0 when the service cannot be asked.
DWORD ServiceState(const wchar_t* name);
// Asks for SERVICE_RUNNING or SERVICE_STOPPED and waits until the service is there.
bool BringServiceTo(const wchar_t* name, DWORD state);

}  // namespace utilities
