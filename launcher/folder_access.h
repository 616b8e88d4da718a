#pragma once
// The private folder's permissions.

namespace corvane {

// Adds an entry that lets Everyone read and run what is in the folder, inherited by its files
// and folders, in place of the folder's own Everyone entries and before the inherited ones.
// Only read and execute: VORTAU runs elevated and installs a kernel driver from this folder,
// so no other account may change its files. 1 on success, 0 on failure.
int GrantEveryoneReadAndExecute(const char* folderPath);

}  // namespace corvane
