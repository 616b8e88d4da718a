#pragma once
// Check 3: the PC's wireless LAN adapters, and which one the switching check uses. Runs on
// the inspection dialog's thread, so that the selection dialog is modal over it.

#include "platform/types.h"

namespace corvane {

class CHalvexApp;

// True when an adapter was chosen; sets m_nAdapterStatus, m_nSelectedAdapter and the
// manager's choice, or m_bPrecheckFailed. `owner` is the inspection dialog.
bool CheckNicAdapter(CHalvexApp& app, platform::Window owner);

}  // namespace corvane
