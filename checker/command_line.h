#pragma once
// VORTAU's command line: the runtime's split of it and what the options mean.

#include <string>
#include <vector>

namespace corvane {

class CHalvexApp;

// The arguments after the program name, split by the C runtime's rules.
std::vector<std::u16string> SplitArguments(const std::u16string& commandLine);
// What follows the program name and its blanks (WinMain's command-line text).
std::u16string CommandLineTail(const std::u16string& commandLine);

// Applies the options to the application; true for an admin start (/ADMIN).
bool ParseCommandLine(const std::u16string& commandLine, CHalvexApp& app);

bool IsFolder(const std::u16string& path);

}  // namespace corvane
