#pragma once
// Reads the diagnostic ring line by line, in the order the lines were stored.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::logview {

struct Batch {
    std::vector<std::string> lines;  // oldest first
    uint32_t lost = 0;               // lines overwritten before this reader saw them
};

class RingReader {
  public:
    // Starts with the oldest line still in the ring.
    explicit RingReader(const uint8_t* view);

    // The lines stored since the previous call (or since construction).
    Batch Poll();

  private:
    const uint8_t* view_;
    uint32_t next_;  // counter value of the next line to read
};

}  // namespace corvane::logview
