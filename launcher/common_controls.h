#pragma once
// The common controls, from the system directory's COMCTL32.

namespace corvane {

// InitCommonControlsEx for all classes of mask 0xFF, found at run time in COMCTL32 by its full
// path: the launcher runs from a download folder, where a COMCTL32.dll of anyone's could lie,
// and COMCTL32 is no Known DLL. False when it cannot be had.
bool InitCommonControlsFromSystem();

}  // namespace corvane
