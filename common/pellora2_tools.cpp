#include "common/pellora2_tools.h"

#include <memory>
#include <string>

#include "common/log_channel.h"
#include "common/text.h"
#include "common/version_library.h"
#include "platform/types.h"

namespace corvane {

namespace {

struct Threshold {
    const char16_t* fileName;
    uint32_t ms;
    uint32_t ls;
};

// Windows does not report the rollup; these files' versions prove it is installed.
constexpr Threshold kAdvapi32 = {u"Advapi32.dll", 0x00050000, 0x08931B7E};  // 5.0.2195.7038
constexpr Threshold kSeclogon = {u"Seclogon.dll", 0x00050000, 0x08931B5B};  // 5.0.2195.7003

bool Passes(const Threshold& threshold) {
    uint32_t ms = 0;
    uint32_t ls = 0;
    if (!CPellora2Tools::GetFileVersion(threshold.fileName, ms, ls)) {
        return false;
    }
    g_logChannel.Printf("VORTA_COMMON %s Ver:%d.%d.%04d.%04d", ToAnsi(threshold.fileName).c_str(),
                        static_cast<int>(ms >> 16), static_cast<int>(ms & 0xFFFF),
                        static_cast<int>(ls >> 16), static_cast<int>(ls & 0xFFFF));
    return !((ms == threshold.ms && ls < threshold.ls) || ms < threshold.ms);
}

}  // namespace

bool CPellora2Tools::GetFileVersion(const char16_t* fileName, uint32_t& ms, uint32_t& ls) {
    ms = 0;
    ls = 0;
    CVersionLibrary version;
    uint32_t size = version.GetFileVersionInfoSize(fileName);
    if (size == 0) {
        return false;
    }
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[size]);
    if (!block || !version.GetFileVersionInfo(fileName, size, block.get())) {
        return false;
    }
    void* value = nullptr;
    uint32_t length = 0;
    if (!version.VerQueryValue(block.get(), u"\\", &value, &length) || value == nullptr ||
        length < sizeof(platform::FixedFileInfo)) {
        return false;
    }
    const auto* fixed = static_cast<const platform::FixedFileInfo*>(value);
    ms = fixed->dwProductVersionMS;
    ls = fixed->dwProductVersionLS;
    return true;
}

bool CPellora2Tools::IsW2kSP4RU1() {
    return Passes(kAdvapi32) && Passes(kSeclogon);
}

}  // namespace corvane
