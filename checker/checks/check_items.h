#pragma once
// The four check items: which status values pass or fail, and their texts. The inspection
// dialog and the result file show them alike.

#include <array>

namespace corvane {

class CHalvexApp;

enum class ItemOutcome { Pass, Fail, NotRun };

struct CheckItem {
    int labelText;    // message id of the label
    int failureText;  // message id of the explanation shown on failure
};

inline constexpr std::array<CheckItem, 4> kCheckItems = {CheckItem{7, 16}, CheckItem{8, 18},
                                                         CheckItem{9, 19}, CheckItem{10, 20}};

// Item 0 to 3 from its status field; a value that neither passes nor fails was not run.
ItemOutcome OutcomeOf(const CHalvexApp& app, int item);
// The run passes when no item failed; items not run do not count against it.
bool AnyItemFailed(const CHalvexApp& app);

}  // namespace corvane
