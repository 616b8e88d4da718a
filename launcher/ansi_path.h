#pragma once
// 8-bit paths of the ANSI code page: a byte 0x5C that trails a lead byte is part of a
// double-byte character, not a backslash.

#include <string>

namespace corvane {

// Drive and directory parts of a path, in the manner of _splitpath, ending in its last
// separator.
std::string DriveAndDirectory(const std::string& path);
bool EndsWithBackslash(const std::string& path);
void RemoveTrailingBackslashes(std::string& path);

}  // namespace corvane
