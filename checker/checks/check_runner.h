#pragma once
// The worker thread that takes the four check items through their states.

#include <cstdint>

#include "platform/types.h"

namespace corvane {

class CDialogInspect;

// The thread's entry: the inspection dialog is the parameter. -1 without one, else 1.
uint32_t PLATFORM_API CheckThreadEntry(void* dialog);
void CheckThreadProc(CDialogInspect& dialog);

}  // namespace corvane
