#pragma once
// Closes a kernel object handle or unmaps a view when the test lets go of it.

#include <memory>

#include "platform/kernel.h"

namespace contract {

struct HandleCloser {
    void operator()(void* handle) const { platform::CloseHandle(handle); }
};
using ScopedHandle = std::unique_ptr<void, HandleCloser>;

struct ViewUnmapper {
    void operator()(void* view) const { platform::UnmapViewOfFile(view); }
};
using ScopedView = std::unique_ptr<void, ViewUnmapper>;

}  // namespace contract
