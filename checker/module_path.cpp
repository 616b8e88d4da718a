#include "checker/module_path.h"

#include "platform/kernel.h"
#include "platform/types.h"

namespace corvane {

std::u16string DriveAndDirectory(const std::u16string& path) {
    size_t lastSeparator = path.find_last_of(u"\\/");
    return lastSeparator == std::u16string::npos
               ? (path.size() >= 2 && path[1] == u':' ? path.substr(0, 2) : std::u16string())
               : path.substr(0, lastSeparator + 1);
}

bool GetModuleFolder(std::u16string& folder) {
    // One unit more than offered: before Vista a path cut to the buffer has no terminator.
    char16_t path[platform::kMaxPath + 1] = {};
    if (platform::GetModuleFileNameW(path, platform::kMaxPath) == 0) {
        return false;
    }
    folder = DriveAndDirectory(path);
    return true;
}

}  // namespace corvane
