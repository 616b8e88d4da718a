#include "common/log_channel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "common/debug_log.h"
#include "common/log_ring.h"
#include "platform/kernel.h"
#include "platform/sim/pc.h"
#include "tests/host/common/ring.h"
#include "tools/scenario/vortau_run.h"

namespace corvane {
namespace {

using test::Counter;
using test::June3rd;
using test::Line;
using test::RawSlot;
using test::Ring;
using test::SetPrefixes;

TEST(LogChannel, WithoutViewerTheRingIsCreatedSwitchedOffAndStaysEmpty) {
    tools::SimSession session(June3rd(), /*withViewer=*/false);
    g_logChannel.Printf("VORTA %s", "----------------  START  ---------------");
    g_logChannel.PrintfW(u"VORTAU %s", u"Process");
    DebugLog("VORTAU CheckThreadProc Start\r\n");

    auto memory = session.pc().FindMapping(log_ring::kName);
    ASSERT_NE(memory, nullptr);
    ASSERT_EQ(memory->size(), 65u * 4096);  // 262,152 bytes in whole pages
    const uint8_t expectedHeader[] = {0, 1, 1, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(expectedHeader), std::end(expectedHeader), memory->begin()));
    EXPECT_TRUE(std::all_of(memory->begin() + log_ring::kHeaderSize, memory->end(),
                            [](uint8_t byte) { return byte == 0; }));
}

// The ring as another program of the session made it, at the size it chose.
class ForeignRing {
  public:
    explicit ForeignRing(uint32_t size)
        : mapping_(platform::CreateFileMappingA(size, log_ring::kName)) {}
    ~ForeignRing() { platform::CloseHandle(mapping_); }
    ForeignRing(const ForeignRing&) = delete;
    ForeignRing& operator=(const ForeignRing&) = delete;

    std::vector<uint8_t>& bytes() { return *sim::CurrentPc().FindMapping(log_ring::kName); }

    // Switched on, without prefixes, with the next line due in the last slot.
    void SwitchOnAtTheLastSlot() {
        std::fill(bytes().begin(), bytes().end(), '#');
        std::fill_n(bytes().begin(), log_ring::kHeaderSize, 0);
        bytes()[log_ring::kEnabledOffset] = 1;
        log_ring::WriteCounter(bytes().data(), log_ring::kSlotCount - 1);
    }

  private:
    platform::Handle mapping_;
};

// 262,144 bytes is the largest ring in whole pages short of ours: only the end of the last slot
// lies past it. A channel that took either ring would write past its end (ASan reports it).
TEST(LogChannel, ARingAnotherProgramMadeSmallerLeavesTheChannelOffAndUntouched) {
    for (uint32_t size : {4096u, log_ring::kSize / 4096 * 4096}) {
        SCOPED_TRACE(size);
        tools::SimSession session(June3rd(), /*withViewer=*/false);
        g_logChannel.Close();  // the ring it made goes with its handle
        ForeignRing ring(size);
        ASSERT_EQ(ring.bytes().size(), size);
        ring.SwitchOnAtTheLastSlot();
        const std::vector<uint8_t> before = ring.bytes();

        EXPECT_FALSE(g_logChannel.Open());
        EXPECT_FALSE(g_logChannel.IsEnabled());
        g_logChannel.Printf("VORTA %s", "Printf");
        g_logChannel.PrintfW(u"VORTAU %s", u"PrintfW");
        g_logChannel.PrintText("VORTAU PrintText");
        g_logChannel.Store("VORTAU Store");
        DebugLog("VORTAU DebugLog\r\n");

        EXPECT_EQ(ring.bytes(), before);
        // Only the other program's handle: the channel let go of the mapping.
        EXPECT_EQ(session.pc().CountObjects<sim::NamedMapping>(), 1u);
    }
}

// A ring one byte short of ours still ends in a whole page, as on Windows, so its view holds
// every slot.
TEST(LogChannel, ARingAnotherProgramMadeWhosePagesHoldOursTakesALineInItsLastSlot) {
    for (uint32_t size : {log_ring::kSize - 1, log_ring::kSize}) {
        SCOPED_TRACE(size);
        tools::SimSession session(June3rd(), /*withViewer=*/false);
        g_logChannel.Close();
        ForeignRing ring(size);
        ring.SwitchOnAtTheLastSlot();
        SetPrefixes(true, true);

        ASSERT_TRUE(g_logChannel.Open());
        g_logChannel.Printf("%s", std::string(300, 'x').c_str());

        EXPECT_EQ(RawSlot(log_ring::kSlotCount - 1), test::kBothPrefixes + std::string(232, 'x'));
        EXPECT_EQ(Counter(), log_ring::kSlotCount);
    }
}

TEST(LogChannel, OpeningAViewersRingKeepsItsSwitchesAndLines) {
    tools::SimSession session(June3rd());
    SetPrefixes(/*date=*/false, /*time=*/true);
    log_ring::WriteCounter(Ring(), 5);
    std::strcpy(reinterpret_cast<char*>(log_ring::Slot(Ring(), 4)), "VORTA earlier line");

    // As the second program to start does, on the ring the viewer already holds.
    ASSERT_TRUE(g_logChannel.Open());
    g_logChannel.Printf("VORTA GetVersionEx()...");

    EXPECT_EQ(Ring()[log_ring::kEnabledOffset], 1);
    EXPECT_EQ(Ring()[log_ring::kDatePrefixOffset], 0);
    EXPECT_EQ(Line(4), "VORTA earlier line");
    EXPECT_EQ(Line(5), "04:05:09:120 VORTA GetVersionEx()...");
    EXPECT_EQ(Counter(), 6u);
}

TEST(LogChannel, PrefixesFollowTheSwitchesAndTheClockAtEachLine) {
    tools::SimSession session(June3rd());
    struct Step {
        bool date;
        bool time;
        uint32_t advanceMs;
        const char* stored;
    };
    const Step steps[] = {
        {true, true, 0, "2008/06/03 04:05:09:120 VORTA line"},
        {false, true, 7, "04:05:09:127 VORTA line"},
        {true, false, 20 * 3600 * 1000, "2008/06/04 VORTA line"},
        {false, false, 0, "VORTA line"},
        {true, true, 0, "2008/06/04 00:05:09:127 VORTA line"},
    };
    for (uint32_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        SetPrefixes(steps[i].date, steps[i].time);
        session.pc().scheduler().Sleep(steps[i].advanceMs);
        g_logChannel.Printf("VORTA line");
        EXPECT_EQ(Line(i), steps[i].stored);
    }
}

TEST(LogChannel, The1025thLineOverwritesTheFirstSlot) {
    tools::SimSession session(June3rd());
    SetPrefixes(false, false);
    for (int i = 0; i < 1025; ++i) {
        g_logChannel.Printf("VORTA line %d", i);
    }
    EXPECT_EQ(Counter(), 1025u);
    // Little-endian, as the viewer reads it.
    EXPECT_EQ(Ring()[4], 0x01);
    EXPECT_EQ(Ring()[5], 0x04);
    EXPECT_EQ(Line(0), "VORTA line 1024");
    EXPECT_EQ(Line(1), "VORTA line 1");
    EXPECT_EQ(Line(1023), "VORTA line 1023");
}

TEST(LogChannel, CounterWrapsAt2To32) {
    tools::SimSession session(June3rd());
    SetPrefixes(false, false);
    log_ring::WriteCounter(Ring(), 0xFFFFFFFFu);
    g_logChannel.Printf("VORTA last before the wrap");
    g_logChannel.Printf("VORTA first after the wrap");
    EXPECT_EQ(Line(1023), "VORTA last before the wrap");
    EXPECT_EQ(Line(0), "VORTA first after the wrap");
    EXPECT_EQ(Counter(), 1u);
}

TEST(LogChannel, PercentSignsAreStoredAsFormatted) {
    tools::SimSession session(June3rd());
    SetPrefixes(false, false);
    g_logChannel.Printf("VORTA %d%%", 5);
    g_logChannel.PrintfW(u"VORTAU %s%%", u"50% of %s");
    DebugLog("VORTAU %s\r\n", "100% of %d");
    EXPECT_EQ(Line(0), "VORTA 5%");
    EXPECT_EQ(Line(1), "VORTAU 50% of %s%");
    EXPECT_EQ(Line(2), "VORTAU 100% of %d\n");
}

// Every front end, with a text just over a slot and one far over every buffer: the line is cut
// at the slot (or at 255 characters without prefixes) and nothing beyond it is touched.
TEST(LogChannel, LongTextIsCutAndNeverOverruns) {
    struct FrontEnd {
        const char* name;
        void (*log)(size_t length);
    };
    const FrontEnd frontEnds[] = {
        {"Printf",
         [](size_t length) { g_logChannel.Printf("%s", std::string(length, 'x').c_str()); }},
        {"PrintfW",
         [](size_t length) { g_logChannel.PrintfW(u"%s", std::u16string(length, u'x').c_str()); }},
        {"DebugLog", [](size_t length) { DebugLog("%s", std::string(length, 'x').c_str()); }},
    };
    const std::string withPrefixes = test::kBothPrefixes + std::string(232, 'x');
    const std::string withoutPrefixes = std::string(255, 'x') + '\0';

    tools::SimSession session(June3rd());
    std::memset(Ring() + log_ring::kHeaderSize, '#', log_ring::kSlotSize * log_ring::kSlotCount);
    const std::string untouched(log_ring::kSlotSize, '#');
    uint32_t slot = 0;
    for (const FrontEnd& frontEnd : frontEnds) {
        for (size_t length : {300, 5000}) {
            for (bool prefixes : {true, false}) {
                SCOPED_TRACE(testing::Message()
                             << frontEnd.name << " length " << length
                             << (prefixes ? " with" : " without") << " prefixes");
                SetPrefixes(prefixes, prefixes);
                frontEnd.log(length);
                EXPECT_EQ(RawSlot(slot), prefixes ? withPrefixes : withoutPrefixes);
                EXPECT_EQ(RawSlot(slot + 1), untouched);
                ++slot;
            }
        }
    }
}

TEST(LogChannel, PrintfWConvertsToTheAnsiCodePage) {
    struct Case {
        uint32_t codePage;
        const char16_t* text;
        std::string stored;
    };
    const Case cases[] = {
        {932, u"日本語", "\x93\xFA\x96\x7B\x8C\xEA"},
        {932, u"表示", "\x95\x5C\x8E\xA6"},  // 0x5C as a trail byte, not a backslash
        {1252, u"€ü", "\x80\xFC"},
        {1252, u"日本", "??"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        tools::SimSession session(June3rd(c.codePage));
        SetPrefixes(false, false);
        g_logChannel.PrintfW(u"VORTAU Process:%s", c.text);
        EXPECT_EQ(Line(0), "VORTAU Process:" + c.stored);
    }
}

// 255 wide characters convert to up to 510 bytes in Shift-JIS and 765 in UTF-8 (a code page
// Windows 10 lets users pick as ANSI): the conversion must still fit its buffer, and the store
// cuts the line at the slot, even inside a character.
TEST(LogChannel, PrintfWMultiByteTextIsCutAtTheSlot) {
    struct Case {
        uint32_t codePage;
        std::string character;  // U+3042 HIRAGANA LETTER A
    };
    const Case cases[] = {{932, "\x82\xA0"}, {65001, "\xE3\x81\x82"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        tools::SimSession session(June3rd(c.codePage));
        SetPrefixes(false, false);
        std::memset(log_ring::Slot(Ring(), 1), '#', log_ring::kSlotSize);
        g_logChannel.PrintfW(u"%s", std::u16string(5000, u'\u3042').c_str());

        std::string expected;
        while (expected.size() < log_ring::kSlotSize) {
            expected += c.character;
        }
        expected.resize(log_ring::kSlotSize);
        EXPECT_EQ(RawSlot(0), expected);
        EXPECT_EQ(RawSlot(1), std::string(log_ring::kSlotSize, '#'));
    }
}

TEST(LogChannel, ConcurrentWritersEachGetTheirOwnSlot) {
    tools::SimSession session(June3rd());
    SetPrefixes(false, false);
    constexpr int kThreads = 4;
    constexpr int kLinesPerThread = log_ring::kSlotCount / kThreads;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < kLinesPerThread; ++i) {
                g_logChannel.Printf("VORTAU thread %d line %d", t, i);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(Counter(), log_ring::kSlotCount);
    std::set<std::string> lines;
    for (uint32_t i = 0; i < log_ring::kSlotCount; ++i) {
        lines.insert(Line(i));
    }
    EXPECT_EQ(lines.size(), log_ring::kSlotCount);
}

}  // namespace
}  // namespace corvane
