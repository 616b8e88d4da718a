#pragma once
// The folder of this program's executable.

#include <string>

namespace corvane {

// Drive and directory of the module path, ending in a backslash; false when the module
// path cannot be read.
bool GetModuleFolder(std::u16string& folder);

// Drive and directory parts of a path, in the manner of _wsplitpath.
std::u16string DriveAndDirectory(const std::u16string& path);

}  // namespace corvane
