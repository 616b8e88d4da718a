#include "launcher/common_controls.h"

#include <string>

#include "common/unique_handle.h"
#include "platform/kernel.h"
#include "platform/message_box.h"

namespace corvane {

bool InitCommonControlsFromSystem() {
    char system[platform::kMaxPath] = {};
    uint32_t length = platform::GetSystemDirectoryA(system, platform::kMaxPath);
    if (length == 0 || length >= static_cast<uint32_t>(platform::kMaxPath)) {
        return false;
    }
    std::string path = std::string(system) + "\\comctl32.dll";
    UniqueLibrary comctl32(platform::LoadLibraryA(path.c_str()));
    auto init = reinterpret_cast<platform::InitCommonControlsExFn>(
        comctl32 ? platform::GetProcAddress(comctl32.Get(), "InitCommonControlsEx") : nullptr);
    const platform::InitCommonControlsExData controls = {sizeof controls, 0xFF};
    if (init == nullptr || init(&controls) == 0) {
        return false;
    }
    // The library stays loaded for the process: the classes registered live in it.
    comctl32.Release();
    return true;
}

}  // namespace corvane
