#include "tools/logview/ring_reader.h"

#include "common/log_ring.h"

namespace corvane::logview {

namespace ring = corvane::log_ring;

RingReader::RingReader(const uint8_t* view)
    : view_(view), next_(ring::OldestCounter(ring::ReadCounter(view))) {}

Batch RingReader::Poll() {
    Batch batch;
    const uint32_t counter = ring::ReadCounter(view_);
    // Unsigned differences keep this right when the counter wraps at 2^32.
    const uint32_t pending = counter - next_;
    if (pending > UINT32_MAX / 2) {
        // The counter went backwards: someone reset the ring. Start again from its oldest line.
        next_ = ring::OldestCounter(counter);
    } else if (pending > ring::kSlotCount) {
        batch.lost = pending - ring::kSlotCount;
        next_ = counter - ring::kSlotCount;
    }
    for (; next_ != counter; ++next_) {
        batch.lines.push_back(ring::ReadSlot(view_, next_));
    }
    return batch;
}

}  // namespace corvane::logview
