#pragma once
// What corvane-test-utility and its tests agree on.

namespace utilities {

// Its exit code once its window was destroyed, which a forced end would not give.
constexpr int kExitWindowClosed = 10;

}  // namespace utilities
