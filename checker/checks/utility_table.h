#pragma once
// The vendor wireless utilities and services that fight over the adapter: what to close or
// stop before the switching test and what to start again afterwards.

#include <array>
#include <cstddef>
#include <cstdint>

namespace corvane {

enum UtilityAction : int {
    kUtilityNone = 0,
    kUtilityCloseWindow = 1,  // WM_CLOSE to its top-level window of windowClass
    kUtilityTerminate = 2,
    kUtilitySuspend = 3,  // resumed afterwards
};

struct UtilityRow {
    const char16_t* stopExecutable;
    const char16_t* stopService;
    const char16_t* windowClass;
    const char16_t* stopDescription;  // the executable's FileDescription
    const char16_t* restartExecutable;
    const char16_t* restartService;
    const char16_t* restartDescription;
    int action;
    uint32_t waitMs;  // to wait after this row was brought back
    int closed;       // 1 from the stop or close until the row is brought back
};

constexpr size_t kUtilityRows = 21;
using UtilityTable = std::array<UtilityRow, kUtilityRows>;

// Every row as shipped, none closed.
UtilityTable MakeUtilityTable();

}  // namespace corvane
