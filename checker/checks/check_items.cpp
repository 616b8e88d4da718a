#include "checker/checks/check_items.h"

#include "checker/halvex_app.h"

namespace corvane {

namespace {

struct StatusRule {
    int CHalvexApp::*field;
    int pass;
    int lastFailure;  // 0 to this value fail
};

constexpr StatusRule kRules[4] = {
    {&CHalvexApp::m_nOSStatus, 2, 1},
    {&CHalvexApp::m_nAdminStatus, 1, 0},
    {&CHalvexApp::m_nAdapterStatus, 1, 0},
    {&CHalvexApp::m_nWlanStatus, 4, 3},
};

}  // namespace

ItemOutcome OutcomeOf(const CHalvexApp& app, int item) {
    const StatusRule& rule = kRules[item];
    int status = app.*rule.field;
    if (status == rule.pass) {
        return ItemOutcome::Pass;
    }
    return status >= 0 && status <= rule.lastFailure ? ItemOutcome::Fail : ItemOutcome::NotRun;
}

bool AnyItemFailed(const CHalvexApp& app) {
    for (int item = 0; item < 4; ++item) {
        if (OutcomeOf(app, item) == ItemOutcome::Fail) {
            return true;
        }
    }
    return false;
}

}  // namespace corvane
