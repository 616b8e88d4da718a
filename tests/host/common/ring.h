#pragma once
// The simulated PC's diagnostic ring, read and switched the way an outside viewer does.

#include <cstdint>
#include <string>

#include "common/log_ring.h"
#include "platform/sim/pc.h"
#include "platform/sim/scenario.h"

namespace corvane::test {

// A PC whose clock starts at 2008/06/03 04:05:09.120, so that every prefix field shows its
// zero padding.
inline sim::Scenario June3rd(uint32_t ansiCodePage = 1252) {
    sim::Scenario scenario;
    scenario.ansiCodePage = ansiCodePage;
    scenario.startTime = {.wYear = 2008,
                          .wMonth = 6,
                          .wDayOfWeek = 2,
                          .wDay = 3,
                          .wHour = 4,
                          .wMinute = 5,
                          .wSecond = 9,
                          .wMilliseconds = 120};
    return scenario;
}
inline constexpr char kBothPrefixes[] = "2008/06/03 04:05:09:120 ";  // 24 characters

// The ring's bytes, or nullptr while nobody has created it.
inline uint8_t* Ring() {
    auto memory = sim::CurrentPc().FindMapping(log_ring::kName);
    return memory ? memory->data() : nullptr;
}

inline void SetPrefixes(bool date, bool time) {
    Ring()[log_ring::kDatePrefixOffset] = date ? 1 : 0;
    Ring()[log_ring::kTimePrefixOffset] = time ? 1 : 0;
}

inline uint32_t Counter() {
    return log_ring::ReadCounter(Ring());
}

// The line stored for `counter`, up to its zero byte.
inline std::string Line(uint32_t counter) {
    return log_ring::ReadSlot(Ring(), counter);
}

// All 256 bytes of the slot for `counter`.
inline std::string RawSlot(uint32_t counter) {
    return std::string(reinterpret_cast<const char*>(log_ring::Slot(Ring(), counter)),
                       log_ring::kSlotSize);
}

}  // namespace corvane::test
