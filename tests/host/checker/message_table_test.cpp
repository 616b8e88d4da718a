#include "checker/message_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "checker/default_messages.h"
#include "tests/host/checker/sim_pc.h"

namespace corvane {
namespace {

using testing::DefaultPc;
using testing::U;

const std::u16string kLanguageFile =
    u"C:\\Documents and Settings\\User\\Local Settings\\Temp\\"
    u"{1A8B078A-38DC-4efc-98E7-B6407DB6382C}\\language.ini";

// The file as the launcher writes it: UTF-16LE with a byte-order mark, CRLF.
std::string Utf16File(const std::string& utf8) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : U(utf8)) {
        if (c == u'\n') {
            bytes += std::string("\r\0", 2);
        }
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

sim::Scenario WithLanguageFile(std::optional<std::string> bytes) {
    sim::Scenario pc = DefaultPc();
    pc.files.erase(kLanguageFile);
    if (bytes) {
        pc.files[kLanguageFile] = sim::File{.bytes = *bytes};
    }
    return pc;
}

std::string BuiltFile(const char* language) {
    std::ifstream in(std::string(CORVANE_LANGUAGE_DIR) + "/" + language + "/language.ini",
                     std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Loaded {
    bool result;
    std::map<int, std::u16string> texts;  // the defined ids
    std::u16string language;
    std::vector<sim::FontRecord> fonts;
};

Loaded Load(std::optional<std::string> bytes, bool withDefaultsOnFailure = false) {
    tools::SimSession session(WithLanguageFile(std::move(bytes)));
    Loaded loaded;
    CMessageTable table;
    loaded.result = table.LoadLocalizedString();
    if (!loaded.result && withDefaultsOnFailure) {
        table.SetDefaultStrings();
    }
    for (int id = 0; id <= 1000; ++id) {
        std::u16string text;
        if (table.GetText(id, text)) {
            loaded.texts[id] = text;
        }
    }
    loaded.language = table.GetLanguage();
    for (const auto& [handle, font] : session.pc().fonts()) {
        loaded.fonts.push_back(font);
    }
    return loaded;
}

TEST(MessageTableTest, DefaultsWithoutALanguageFile) {
    Loaded loaded = Load(std::nullopt, true);
    EXPECT_FALSE(loaded.result);
    EXPECT_EQ(loaded.texts.size(), 27u);
    EXPECT_FALSE(loaded.texts.contains(11));
    EXPECT_EQ(loaded.texts[0], u"Agree");
    EXPECT_NE(loaded.texts[20].find(u"failed.\n - If"), std::u16string::npos);
    EXPECT_EQ(loaded.texts[20].find(u'\r'), std::u16string::npos);
    EXPECT_EQ(loaded.language, u"English");
    ASSERT_EQ(loaded.fonts.size(), 2u);
    for (const sim::FontRecord& font : loaded.fonts) {
        EXPECT_EQ(font.height, 12);
        EXPECT_EQ(font.face, u"MS Sans Serif");
        EXPECT_EQ(font.charSet, 0u);
        EXPECT_EQ(font.pitchAndFamily, 0x20u);
    }
    EXPECT_EQ(loaded.fonts[0].weight + loaded.fonts[1].weight, 400 + 700);
}

// The shipped English file and the built-in texts must say the same, but for the line breaks.
TEST(MessageTableTest, EnglishFileMatchesTheBuiltInTexts) {
    Loaded loaded = Load(BuiltFile("english"));
    ASSERT_TRUE(loaded.result);
    ASSERT_EQ(loaded.texts.size(), std::size(kDefaultMessages));
    for (const DefaultMessage& message : kDefaultMessages) {
        std::u16string expected = message.text;
        for (size_t at = expected.find(u'\n'); at != std::u16string::npos;
             at = expected.find(u'\n', at + 2)) {
            expected.insert(at, 1, u'\r');
        }
        EXPECT_EQ(loaded.texts[message.id], expected) << "id " << message.id;
    }
    EXPECT_EQ(loaded.fonts.front().height, 12);
}

TEST(MessageTableTest, JapaneseFile) {
    Loaded loaded = Load(BuiltFile("japanese"));
    ASSERT_TRUE(loaded.result);
    EXPECT_EQ(loaded.language, u"Japanese");
    EXPECT_EQ(loaded.texts.size(), 27u);
    EXPECT_EQ(loaded.texts[5], U("開始"));
    EXPECT_NE(loaded.texts[20].find(u"\r\n - "), std::u16string::npos);
    EXPECT_EQ(loaded.fonts.front().face, U("MS Ｐゴシック"));
    EXPECT_EQ(loaded.fonts.front().charSet, 128u);
}

struct FileCase {
    std::string name;
    std::string bytes;
    bool result;
    std::map<int, std::u16string> texts;
    int fontHeight;  // of the created fonts, when the load succeeds
    uint32_t charset;
};

class LanguageFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(LanguageFileTest, LoadsWhatTheFileHolds) {
    const FileCase& c = GetParam();
    Loaded loaded = Load(c.bytes);
    EXPECT_EQ(loaded.result, c.result);
    EXPECT_EQ(loaded.texts, c.texts);
    if (c.result) {
        ASSERT_EQ(loaded.fonts.size(), 2u);
        EXPECT_EQ(loaded.fonts[0].height, c.fontHeight);
        EXPECT_EQ(loaded.fonts[0].charSet, c.charset);
    } else {
        EXPECT_TRUE(loaded.fonts.empty());
    }
}

const std::u16string kLongText(1023, u'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageFileTest,
    ::testing::Values(
        FileCase{"NoSizeKeyMeansEight",
                 Utf16File("[SYSTEM]\nfont=Arial\n[MESSAGE]\n0=\"A\"\n"),
                 true,
                 {{0, u"A"}},
                 8,
                 0},
        FileCase{"UnknownCharsetMeansZero",
                 Utf16File("[SYSTEM]\ncharset=1\nsize=10\n[MESSAGE]\n0=\"A\"\n"),
                 true,
                 {{0, u"A"}},
                 10,
                 0},
        FileCase{"KnownCharsetKept",
                 Utf16File("[SYSTEM]\ncharset=129\n[MESSAGE]\n0=\"A\"\n"),
                 true,
                 {{0, u"A"}},
                 8,
                 129},
        FileCase{
            "IdAboveNineNineNineNeverRead", Utf16File("[MESSAGE]\n1000=\"x\"\n"), false, {}, 0, 0},
        FileCase{"SentinelTextIsAbsent",
                 Utf16File("[MESSAGE]\n0=\"jDse*^3:{\"\n1=\"B\"\n"),
                 true,
                 {{1, u"B"}},
                 8,
                 0},
        FileCase{"EmptyValueIsDefinedAndEmpty",
                 Utf16File("[MESSAGE]\n3=\"\"\n4=\n"),
                 true,
                 {{3, u""}, {4, u""}},
                 8,
                 0},
        FileCase{"BackslashNBecomesCrLf",
                 Utf16File("[MESSAGE]\n20=\"a\\nb\\n\"\n"),
                 true,
                 {{20, u"a\r\nb\r\n"}},
                 8,
                 0},
        FileCase{"NamesWithoutCaseAndBlanks",
                 Utf16File("[message]\n 7 = \"Seven\" \n"),
                 true,
                 {{7, u"Seven"}},
                 8,
                 0},
        FileCase{"LongLineCutToTheBuffer",
                 Utf16File("[MESSAGE]\n2=\"" + std::string(3000, 'x') + "\"\n"),
                 true,
                 {{2, kLongText}},
                 8,
                 0},
        FileCase{"FirstOfDuplicateSectionsCounts",
                 Utf16File("[MESSAGE]\n0=\"first\"\n[MESSAGE]\n0=\"second\"\n1=\"B\"\n"),
                 true,
                 {{0, u"first"}},
                 8,
                 0},
        FileCase{"NoMessageSection", Utf16File("[SYSTEM]\nLanguage=German\n"), false, {}, 0, 0},
        FileCase{"AnsiFileIsReadInTheCodePage",
                 "[MESSAGE]\r\n0=\"Agree\"\r\n",
                 true,
                 {{0, u"Agree"}},
                 8,
                 0},
        FileCase{"TruncatedUtf16",
                 Utf16File("[MESSAGE]\n0=\"Agr").substr(0, 24) + "\x41",
                 false,
                 {},
                 0,
                 0},
        FileCase{"BinaryGarbage",
                 std::string("\xFF\xFE\x00\xD8[\x00\x00\x00=\x00\x01\x02", 12),
                 false,
                 {},
                 0,
                 0},
        FileCase{"EmptyFile", "", false, {}, 0, 0}),
    [](const auto& info) { return info.param.name; });

TEST(MessageTableTest, GetTextOfAnEmptyTableLeavesTheText) {
    CMessageTable table;
    std::u16string text = u"template";
    EXPECT_FALSE(table.GetText(0, text));
    EXPECT_EQ(text, u"template");
}

TEST(MessageTableTest, UndefinedIdGivesAnEmptyText) {
    tools::SimSession session(WithLanguageFile(std::nullopt));
    CMessageTable table;
    table.SetDefaultStrings();
    std::u16string text = u"template";
    EXPECT_FALSE(table.GetText(11, text));
    EXPECT_EQ(text, u"");
}

}  // namespace
}  // namespace corvane
