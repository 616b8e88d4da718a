#include "tools/logview/ring_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/log_ring.h"

namespace corvane::logview {
namespace {

namespace ring = corvane::log_ring;

// A ring in ordinary memory, filled the way the programs' channel fills it.
class FakeRing {
  public:
    FakeRing() : bytes_(ring::kSize, 0) {}

    uint8_t* view() { return bytes_.data(); }

    void Store(const std::string& text) {
        const uint32_t counter = ring::ReadCounter(view());
        uint8_t* slot = ring::Slot(view(), counter);
        std::fill(slot, slot + ring::kSlotSize, 0xCC);
        const size_t length = std::min<size_t>(text.size(), ring::kSlotSize);
        std::copy(text.begin(), text.begin() + length, slot);
        if (length < ring::kSlotSize) {
            slot[length] = 0;
        }
        ring::WriteCounter(view(), counter + 1);
    }

    void StoreNumbered(int first, int count) {
        for (int i = first; i < first + count; ++i) {
            Store("line " + std::to_string(i));
        }
    }

    void Reset() { std::fill(bytes_.begin(), bytes_.end(), 0); }

  private:
    std::vector<uint8_t> bytes_;
};

std::vector<std::string> Numbered(int first, int count) {
    std::vector<std::string> lines;
    for (int i = first; i < first + count; ++i) {
        lines.push_back("line " + std::to_string(i));
    }
    return lines;
}

TEST(RingReader, ReadsEachLineOnceInStoreOrder) {
    FakeRing fake;
    fake.StoreNumbered(0, 3);
    RingReader reader(fake.view());

    EXPECT_EQ(reader.Poll().lines, Numbered(0, 3));
    EXPECT_TRUE(reader.Poll().lines.empty());

    fake.StoreNumbered(3, 2);
    Batch batch = reader.Poll();
    EXPECT_EQ(batch.lines, Numbered(3, 2));
    EXPECT_EQ(batch.lost, 0u);
}

TEST(RingReader, StartsAtTheOldestLineOfARingThatHasWrapped) {
    FakeRing fake;
    fake.StoreNumbered(0, 1500);
    RingReader reader(fake.view());

    Batch batch = reader.Poll();
    EXPECT_EQ(batch.lines, Numbered(1500 - 1024, 1024));
    EXPECT_EQ(batch.lost, 0u);
}

TEST(RingReader, CountsLinesOverwrittenBetweenPollsAndResumesAtTheOldest) {
    FakeRing fake;
    fake.StoreNumbered(0, 10);
    RingReader reader(fake.view());
    reader.Poll();

    fake.StoreNumbered(10, 2000);
    Batch batch = reader.Poll();
    EXPECT_EQ(batch.lost, 2000u - 1024u);
    EXPECT_EQ(batch.lines, Numbered(2010 - 1024, 1024));
}

TEST(RingReader, FollowsTheCounterWhenItWrapsAtTwoToThe32) {
    FakeRing fake;
    ring::WriteCounter(fake.view(), 0xFFFFFFFEu);
    RingReader reader(fake.view());
    EXPECT_EQ(reader.Poll().lines.size(), ring::kSlotCount);

    fake.StoreNumbered(0, 4);
    EXPECT_EQ(ring::ReadCounter(fake.view()), 2u);
    Batch batch = reader.Poll();
    EXPECT_EQ(batch.lines, Numbered(0, 4));
    EXPECT_EQ(batch.lost, 0u);
}

TEST(RingReader, ALineFillingItsSlotEndsAtTheSlotEnd) {
    FakeRing fake;
    fake.Store(std::string(300, 'x'));
    fake.Store("next");
    RingReader reader(fake.view());

    EXPECT_EQ(reader.Poll().lines, (std::vector<std::string>{std::string(256, 'x'), "next"}));
}

TEST(RingReader, ARingResetUnderTheReaderIsReadFromItsNewStart) {
    FakeRing fake;
    fake.StoreNumbered(0, 5);
    RingReader reader(fake.view());
    reader.Poll();

    fake.Reset();
    fake.StoreNumbered(100, 2);
    Batch batch = reader.Poll();
    EXPECT_EQ(batch.lines, Numbered(100, 2));
    EXPECT_EQ(batch.lost, 0u);
}

}  // namespace
}  // namespace corvane::logview
