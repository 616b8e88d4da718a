#pragma once
// The result file for the user: the four items and the verdict, beside the launcher or on
// the desktop.

namespace corvane {

class CHalvexApp;

// Writes "CheckInfo<local time>.log" into the folder option, or else the desktop (which then
// becomes the folder option). False only when no file could be created; a failed write
// leaves the file as far as it got.
bool OutPutResultLog(CHalvexApp& app);

}  // namespace corvane
