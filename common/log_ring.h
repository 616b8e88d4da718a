#pragma once
// Layout of the shared diagnostic ring, shared by the programs and the viewer.

#include <cstdint>
#include <cstring>
#include <string>

namespace corvane::log_ring {

inline constexpr const char* kName = "PelloraPRJMANAGLOG";
inline constexpr uint32_t kHeaderSize = 8;
inline constexpr uint32_t kSlotSize = 256;
inline constexpr uint32_t kSlotCount = 1024;
inline constexpr uint32_t kSize = kHeaderSize + kSlotSize * kSlotCount;  // 262,152 bytes

inline constexpr uint32_t kEnabledOffset = 0;
inline constexpr uint32_t kDatePrefixOffset = 1;
inline constexpr uint32_t kTimePrefixOffset = 2;
inline constexpr uint32_t kCounterOffset = 4;

inline uint32_t ReadCounter(const volatile uint8_t* view) {
    uint32_t counter = 0;
    for (int i = 3; i >= 0; --i) {
        counter = (counter << 8) | view[kCounterOffset + i];
    }
    return counter;
}

inline void WriteCounter(volatile uint8_t* view, uint32_t counter) {
    for (int i = 0; i < 4; ++i) {
        view[kCounterOffset + i] = static_cast<uint8_t>(counter >> (8 * i));
    }
}

inline uint8_t* Slot(uint8_t* view, uint32_t counter) {
    return view + kHeaderSize + kSlotSize * (counter % kSlotCount);
}

// The line stored for `counter`: up to the first zero byte, or the whole slot.
inline std::string ReadSlot(const uint8_t* view, uint32_t counter) {
    const char* slot =
        reinterpret_cast<const char*>(view + kHeaderSize + kSlotSize * (counter % kSlotCount));
    return std::string(slot, strnlen(slot, kSlotSize));
}

// The first counter value whose line is still in the ring.
inline uint32_t OldestCounter(uint32_t counter) {
    return counter > kSlotCount ? counter - kSlotCount : 0;
}

}  // namespace corvane::log_ring
