#pragma once
// The system libraries a program of the simulated PC loads at run time for entry points its
// imports do not give it: ADVAPI32 (a Known DLL, found by name) and the system directory's
// COMCTL32 and VERSION.

#include <string>

#include "platform/types.h"

namespace sim {

// The library at `path`, counted as loaded; nullptr when it is none of these.
platform::Module LoadSystemLibrary(const std::u16string& path);
bool IsSystemLibrary(platform::Module module);
void* SystemLibraryEntry(platform::Module module, const char* name);

// ADVAPI32's entry points that the security model provides (security.cpp).
void* AdvapiEntryPoint(const char* name);

}  // namespace sim
