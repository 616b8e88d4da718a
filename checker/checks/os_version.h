#pragma once
// Which Windows this is, as the checks and the driver installation need to know.

namespace corvane {

// -1 unknown or unsupported (5.2 and later 5.x, servers of 6 and later), 0 older than
// Windows 2000, 1 Windows 2000, 2 Windows XP, 3 Windows Vista or a later workstation.
int GetOSVersion();
bool IsServer();
bool IsWow64();

}  // namespace corvane
