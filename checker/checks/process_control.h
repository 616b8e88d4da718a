#pragma once
// Closes the vendor wireless utilities and stops the vendor services before the switching
// test (Enter), and brings back every one it touched afterwards (Leave), as Windows would
// start it at logon.

#include <cstdint>

#include "checker/checks/utility_table.h"

namespace corvane {

// What Enter leaves for Leave; it lives in the application object.
struct UtilityControlContext {
    int acSvcStopped = 0;       // Vista: Enter stopped "AcSvc"
    int cm3TrayWasRunning = 0;  // before Vista: "cm3_tray.exe" ran at Enter
    UtilityTable utilities = MakeUtilityTable();
};

constexpr int kProcessControlEnter = 0;
constexpr int kProcessControlLeave = 1;

// `changed` (may be null) is set when Enter stopped or closed something; `waitMs` (may be
// null) is raised to the longest wait of the rows Leave brought back; `restartAdapter` (may
// be null) is set to 1, and cleared when Leave starts "QCTRAY.EXE" again. Returns 1; 0 for a
// mode other than Enter or Leave before Vista.
int ProcessControl(int* changed, int* waitMs, UtilityControlContext& context, int mode,
                   uint8_t* restartAdapter);

}  // namespace corvane
