#pragma once
// The C runtime's pseudo-random generator, as rand() and srand() of the Windows runtime
// compute it, so that every build and the simulator draw the same numbers from a seed.

#include <cstdint>

namespace corvane {

class RuntimeRandom {
  public:
    explicit RuntimeRandom(uint32_t seed) : m_state(seed) {}
    // 0 to 32767.
    int Next() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }

  private:
    uint32_t m_state;
};

}  // namespace corvane
