#include "platform/sim/system_libraries.h"

#include <cstring>

#include "platform/message_box.h"
#include "platform/sim/pc.h"
#include "platform/version.h"

namespace sim {

namespace {

char advapi32;
char comctl32;
char version;

uint32_t PLATFORM_API SimGetFileVersionInfoSizeW(const char16_t* fileName, uint32_t* handle) {
    *handle = 0;
    return platform::GetFileVersionInfoSizeW(fileName);
}

int PLATFORM_API SimGetFileVersionInfoW(const char16_t* fileName, uint32_t, uint32_t size,
                                        void* block) {
    return platform::GetFileVersionInfoW(fileName, size, block) ? 1 : 0;
}

int PLATFORM_API SimVerQueryValueW(const void* block, const char16_t* subBlock, void** value,
                                   uint32_t* length) {
    return platform::VerQueryValueW(block, subBlock, value, length) ? 1 : 0;
}

int PLATFORM_API SimInitCommonControlsEx(const platform::InitCommonControlsExData* init) {
    if (init == nullptr || init->dwSize != sizeof *init) {
        return 0;
    }
    CurrentPc().commonControls().push_back(init->dwICC);
    return 1;
}

}  // namespace

platform::Module LoadSystemLibrary(const std::u16string& path) {
    Pc& pc = CurrentPc();
    const std::u16string& system = pc.scenario().systemDirectory;
    std::u16string folded = Pc::FoldPath(path);
    platform::Module module = nullptr;
    // A Known DLL comes from the system directory whatever folder the program is in.
    if (folded == u"ADVAPI32.DLL" || folded == Pc::FoldPath(system + u"\\advapi32.dll")) {
        module = &advapi32;
    } else if (folded == Pc::FoldPath(system + u"\\comctl32.dll")) {
        module = &comctl32;
    } else if (folded == Pc::FoldPath(system + u"\\version.dll")) {
        module = &version;
    }
    if (module != nullptr) {
        pc.libraryLoads().push_back(module == &advapi32 ? system + u"\\advapi32.dll" : path);
        ++pc.librariesHeld();
    }
    return module;
}

bool IsSystemLibrary(platform::Module module) {
    return module == &advapi32 || module == &comctl32 || module == &version;
}

void* SystemLibraryEntry(platform::Module module, const char* name) {
    if (module == &advapi32) {
        return AdvapiEntryPoint(name);
    }
    if (module == &comctl32 && std::strcmp(name, "InitCommonControlsEx") == 0) {
        return reinterpret_cast<void*>(&SimInitCommonControlsEx);
    }
    if (module == &version) {
        for (auto [entry, address] :
             {std::pair{"GetFileVersionInfoSizeW",
                        reinterpret_cast<void*>(&SimGetFileVersionInfoSizeW)},
              {"GetFileVersionInfoW", reinterpret_cast<void*>(&SimGetFileVersionInfoW)},
              {"VerQueryValueW", reinterpret_cast<void*>(&SimVerQueryValueW)}}) {
            if (std::strcmp(name, entry) == 0) {
                return address;
            }
        }
    }
    return nullptr;
}

}  // namespace sim
