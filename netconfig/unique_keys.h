#pragma once
// Owners of registry keys and device lists: each closes what it holds when it goes.

#include "common/unique_handle.h"
#include "platform/device_setup.h"
#include "platform/registry.h"

namespace corvane {

inline bool CloseRegistryKey(platform::RegistryKey key) {
    return platform::RegCloseKey(key) == platform::kErrorSuccess;
}

using UniqueRegistryKey = UniqueResource<platform::RegistryKey, CloseRegistryKey>;
using UniqueDeviceInfoSet =
    UniqueResource<platform::DeviceInfoSet, platform::SetupDiDestroyDeviceInfoList>;

}  // namespace corvane
