#pragma once
// Owner of a Service Control Manager handle: closes it when it goes.

#include "common/unique_handle.h"
#include "platform/services.h"

namespace corvane {

using UniqueServiceHandle = UniqueResource<platform::ServiceHandle, platform::CloseServiceHandle>;

}  // namespace corvane
