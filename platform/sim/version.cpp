#include "platform/version.h"

#include <cstring>

#include "platform/kernel.h"
#include "platform/sim/pc.h"
#include "platform/sim/version_block.h"

namespace platform {

namespace {

// A name without a folder is found in the system directory, as the system's search does.
const sim::FileVersion* FindVersion(const char16_t* fileName) {
    sim::Pc& pc = sim::CurrentPc();
    std::u16string name = fileName == nullptr ? u"" : fileName;
    const sim::File* file = name.find(u'\\') == std::u16string::npos
                                ? pc.FindFile(pc.scenario().systemDirectory + u"\\" + name)
                                : pc.FindFile(name);
    if (file == nullptr) {
        SetLastError(kErrorFileNotFound);
        return nullptr;
    }
    if (!file->version) {
        SetLastError(kErrorResourceTypeNotFound);
        return nullptr;
    }
    return &*file->version;
}

}  // namespace

uint32_t GetFileVersionInfoSizeW(const char16_t* fileName) {
    const sim::FileVersion* version = FindVersion(fileName);
    return version == nullptr ? 0 : static_cast<uint32_t>(sim::BuildVersionBlock(*version).size());
}

bool GetFileVersionInfoW(const char16_t* fileName, uint32_t size, void* block) {
    const sim::FileVersion* version = FindVersion(fileName);
    if (version == nullptr) {
        return false;
    }
    std::string built = sim::BuildVersionBlock(*version);
    if (size < built.size()) {
        SetLastError(kErrorInsufficientBuffer);
        return false;
    }
    std::memcpy(block, built.data(), built.size());
    return true;
}

bool VerQueryValueW(const void* block, const char16_t* subBlock, void** value, uint32_t* length) {
    return sim::QueryVersionBlock(block, subBlock == nullptr ? u"" : subBlock, value, length);
}

}  // namespace platform
