#pragma once
// Once the preconditions hold: the payload unpacked into the private folder, its clean-up at
// the next logon, and VORTAU started from there.

#include "common/unique_handle.h"

namespace corvane {

// `mutex` is the single-instance mutex, closed just before VORTAU starts so that VORTAU can
// create it. Always false, the result of the launcher's start-up.
bool UnpackAndStart(int languageFile, UniqueHandle& mutex);

}  // namespace corvane
