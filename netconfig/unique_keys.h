#pragma once
// Owners of device lists, and through common/unique_handle.h of registry keys: each closes
// what it holds when it goes.

#include "common/unique_handle.h"
#include "platform/device_setup.h"

namespace corvane {

using UniqueDeviceInfoSet =
    UniqueResource<platform::DeviceInfoSet, platform::SetupDiDestroyDeviceInfoList>;

}  // namespace corvane
