#include "checker/checks/os_version.h"

#include "common/debug_log.h"
#include "platform/kernel.h"

namespace corvane {

int GetOSVersion() {
    platform::OsVersionInfo info{};
    info.dwOSVersionInfoSize = platform::kOsVersionInfoSize;
    if (!platform::GetVersionExW(&info)) {
        return -1;
    }
    if (info.dwMajorVersion == 5) {
        switch (info.dwMinorVersion) {
            case 0:
                return 1;
            case 1:
                return 2;
            default:
                return -1;
        }
    }
    if (info.dwMajorVersion >= 6) {
        if (IsServer()) {
            DebugLog("VORTAU GetOSVersion:Windows 2008 Server\r\n");
            return -1;
        }
        DebugLog("VORTAU GetOSVersion:Windows Vista\r\n");
        return 3;
    }
    return 0;
}

bool IsServer() {
    platform::OsVersionInfo info{};
    info.dwOSVersionInfoSize = platform::kOsVersionInfoExSize;
    if (!platform::GetVersionExW(&info)) {
        DebugLog("VORTAU IsServer GetVersionEx Error!!\r\n");
        return false;
    }
    DebugLog("VORTAU IsServer wProductType:%d\r\n", info.wProductType);
    return info.wProductType != platform::kVerNtWorkstation;
}

// IsWow64Process is missing on Windows 2000 and early XP, so it is looked up at run time.
bool IsWow64() {
    platform::Module kernel32 = platform::GetModuleHandleW(u"Kernel32.dll");
    auto isWow64Process = reinterpret_cast<platform::IsWow64ProcessFn>(
        kernel32 == nullptr ? nullptr : platform::GetProcAddress(kernel32, "IsWow64Process"));
    if (isWow64Process == nullptr) {
        return false;
    }
    int wow64 = 0;
    if (!isWow64Process(platform::GetCurrentProcess(), &wow64)) {
        platform::GetLastError();
    }
    return wow64 != 0;
}

}  // namespace corvane
