#pragma once
// How Windows starts a utility at logon: a Run value under HKLM or HKCU, or a shortcut in
// the user's or every user's Startup folder. The utility control closes only what it can
// start again this way.

#include <string>

#include "platform/registry.h"

namespace corvane {

struct StartupCommand {
    bool found = false;
    std::u16string path;       // as the Run value or the shortcut's target gives it
    std::u16string arguments;  // from a Run value
    std::u16string shortcut;   // the .lnk file's full path, when the hit is a shortcut
};

// The start command whose text holds `executable` (case does not matter); with a
// description, only when the file it starts carries exactly that FileDescription.
StartupCommand GetProcessPathFromStartUpPath(const char16_t* executable,
                                             const char16_t* description);
StartupCommand GetProcessPathFromRunKey(platform::RegistryKey root, const char16_t* executable);
// The target of a shortcut file; false unless every step of the shell link object succeeds.
bool ResolveShortcut(const std::u16string& linkPath, std::u16string& target);

}  // namespace corvane
