#pragma once
// Check 4: the wireless adapter switched onto an open ad-hoc network and held there, with the
// services and vendor utilities that would fight over it out of the way, and all of it put
// back afterwards whatever the test's outcome.

namespace corvane {

class CHalvexApp;

// Sets the application's m_nWlanStatus to the switching test's result.
void CheckWlanSetting(CHalvexApp& app);

}  // namespace corvane
