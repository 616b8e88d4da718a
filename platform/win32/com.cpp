#include "platform/com.h"

#include <objbase.h>

namespace platform {

void ReleaseInterface(void* object) {
    static_cast<IUnknown*>(object)->Release();
}

HResult CoInitialize() {
    return ::CoInitialize(nullptr);
}

void CoUninitialize() {
    ::CoUninitialize();
}

}  // namespace platform
