#include "wlan/wlan_entry_points.h"

#include "platform/kernel.h"

namespace corvane {

namespace {

template <typename Fn>
bool Find(platform::Module library, const char* name, Fn& entry) {
    entry = reinterpret_cast<Fn>(platform::GetProcAddress(library, name));
    return entry != nullptr;
}

}  // namespace

bool WlanEntryPoints::Resolve(platform::Module library) {
    return Find(library, "WlanCloseHandle", WlanCloseHandle) &&
           Find(library, "WlanOpenHandle", WlanOpenHandle) &&
           Find(library, "WlanScan", WlanScan) &&
           Find(library, "WlanFreeMemory", WlanFreeMemory) &&
           Find(library, "WlanGetAvailableNetworkList", WlanGetAvailableNetworkList) &&
           Find(library, "WlanConnect", WlanConnect) &&
           Find(library, "WlanQueryInterface", WlanQueryInterface) &&
           Find(library, "WlanSetInterface", WlanSetInterface) &&
           Find(library, "WlanDisconnect", WlanDisconnect) &&
           Find(library, "WlanGetProfile", WlanGetProfile) &&
           Find(library, "WlanSetProfile", WlanSetProfile) &&
           Find(library, "WlanDeleteProfile", WlanDeleteProfile);
}

}  // namespace corvane
