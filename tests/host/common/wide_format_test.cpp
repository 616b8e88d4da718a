#include "common/wide_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/sim/pc.h"

namespace corvane {
namespace {

constexpr char16_t kGuard = u'#';

// Formats into a buffer of `capacity` units followed by a guard unit, and checks that the
// guard survives and that the result count matches the text.
std::u16string FormatInto(size_t capacity, const char16_t* format, ...) {
    std::vector<char16_t> buffer(capacity + 1, kGuard);
    va_list args;
    va_start(args, format);
    int written = FormatWide(buffer.data(), capacity, format, args);
    va_end(args);
    EXPECT_EQ(buffer[capacity], kGuard) << "overrun";
    if (capacity == 0) {
        EXPECT_EQ(written, 0);
        return {};
    }
    std::u16string text(buffer.data());
    EXPECT_EQ(written, static_cast<int>(text.size()));
    return text;
}

template <typename... Args>
std::u16string Format(const char16_t* format, Args... args) {
    return FormatInto(128, format, args...);
}

TEST(FormatWide, Conversions) {
    const char16_t* noWide = nullptr;
    const char* noNarrow = nullptr;
    struct Case {
        const char* what;
        std::u16string formatted;
        std::u16string expected;
    };
    const Case cases[] = {
        {"%s is wide", Format(u"[%s]", u"Prozess"), u"[Prozess]"},
        {"%ls is wide", Format(u"[%ls]", u"日本"), u"[日本]"},
        {"%S is 8-bit", Format(u"[%S]", "VORTAU.exe"), u"[VORTAU.exe]"},
        {"%hs is 8-bit", Format(u"[%hs]", "VORTAU.exe"), u"[VORTAU.exe]"},
        {"null wide string", Format(u"[%s]", noWide), u"[(null)]"},
        {"null 8-bit string", Format(u"[%hs]", noNarrow), u"[(null)]"},
        {"negative", Format(u"%d", -42), u"-42"},
        {"most negative", Format(u"%i", INT_MIN), u"-2147483648"},
        {"unsigned", Format(u"%u", 4294967295u), u"4294967295"},
        {"hex", Format(u"%x %X", 0xBEEFu, 0xBEEFu), u"beef BEEF"},
        {"precision pads digits", Format(u"%.4d %.3x", 42, 0xAu), u"0042 00a"},
        {"alternate hex", Format(u"%#x %#X", 0x1Fu, 0x1Fu), u"0x1f 0X1F"},
        {"width", Format(u"[%5d]", 42), u"[   42]"},
        {"left", Format(u"[%-5d]", 42), u"[42   ]"},
        {"zero", Format(u"[%05d]", 42), u"[00042]"},
        {"zero after the sign", Format(u"[%05d]", -42), u"[-0042]"},
        {"zero after 0x", Format(u"[%#06x]", 0x1Fu), u"[0x001f]"},
        {"left wins over zero", Format(u"[%-05d]", 42), u"[42   ]"},
        {"width narrower than the number", Format(u"[%2d]", 12345), u"[12345]"},
        {"string width", Format(u"[%6s]", u"ab"), u"[    ab]"},
        {"string left", Format(u"[%-6s]", u"ab"), u"[ab    ]"},
        {"string precision", Format(u"[%.2s]", u"abcdef"), u"[ab]"},
        {"8-bit precision", Format(u"[%.3hs]", "abcdef"), u"[abc]"},
        {"precision and width", Format(u"[%-5.2s]", u"abcdef"), u"[ab   ]"},
        {"zero precision", Format(u"[%.0s]", u"abc"), u"[]"},
        {"percent", Format(u"100%%"), u"100%"},
        {"character", Format(u"[%c%c]", u'A', u'あ'), u"[Aあ]"},
        {"format ends after %", Format(u"abc%"), u"abc"},
        {"format ends inside a conversion", Format(u"abc%-5"), u"abc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.formatted, c.expected) << c.what;
    }
}

TEST(FormatWide, CutsAtCapacityWithATerminator) {
    struct Case {
        const char* what;
        std::u16string formatted;
        std::u16string expected;
    };
    const Case cases[] = {
        {"plain text", FormatInto(6, u"abcdefgh"), u"abcde"},
        {"string argument", FormatInto(6, u"[%s]", u"abcdefgh"), u"[abcd"},
        {"padding", FormatInto(4, u"%10d", 7), u"   "},
        {"number", FormatInto(4, u"%d", 123456), u"123"},
        {"exactly full", FormatInto(4, u"abc"), u"abc"},
        {"room for the terminator only", FormatInto(1, u"abc"), u""},
        {"no room at all", FormatInto(0, u"abc"), u""},
        {"thousands of characters", FormatInto(256, u"%s", std::u16string(5000, u'x').c_str()),
         std::u16string(255, u'x')},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.formatted, c.expected) << c.what;
    }
}

TEST(FormatWide, EightBitTextIsInTheSystemsCodePage) {
    sim::Scenario japanese;
    japanese.ansiCodePage = 932;
    sim::InstallPc(japanese);
    // "C:\無線\a.exe" in Shift-JIS; the second byte of 無 would be a lone character read
    // byte by byte.
    EXPECT_EQ(Format(u"[%hs]", "C:\\\x96\xb3\x90\xfc\\a.exe"), u"[C:\\\u7121\u7DDA\\a.exe]");
    EXPECT_EQ(Format(u"[%S]", "\x83\x65"), u"[\u30C6]");
    sim::InstallPc(sim::Scenario{});
    EXPECT_EQ(Format(u"[%hs]", "caf\xe9"), u"[caf\u00E9]");
}

}  // namespace
}  // namespace corvane
