// The agreement texts as built, which the agreement dialog loads from resources 137 and 138
// and shows as they are: UTF-16LE, no byte-order mark, CRLF, no terminator.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/sim/code_page.h"

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Agreement {
    const char* language;
    const char* agreeButton;  // as the text names the dialog's Agree button (text 0)
};

void PrintTo(const Agreement& agreement, std::ostream* out) {
    *out << agreement.language;
}

class AgreementFileTest : public testing::TestWithParam<Agreement> {};

TEST_P(AgreementFileTest, IsUtf16LeWithCrLfAndNoMarkOrTerminator) {
    const std::string bytes =
        ReadBytes(std::string(CORVANE_AGREEMENT_DIR) + "/" + GetParam().language + ".utf16");
    ASSERT_FALSE(bytes.empty());
    ASSERT_EQ(bytes.size() % 2, 0u);

    std::u16string text;
    for (size_t i = 0; i < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    EXPECT_NE(text.front(), u'\xFEFF') << "byte-order mark";
    EXPECT_EQ(text.find(u'\0'), std::u16string::npos) << "zero character";
    EXPECT_NE(text.back(), u'\n') << "line break at the end";
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == u'\r') << "bare LF at unit " << i;
        }
        if (text[i] == u'\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == u'\n') << "bare CR at unit " << i;
        }
    }

    // The readable source, line breaks as CRLF, without the final one.
    std::string source =
        ReadBytes(std::string(CORVANE_AGREEMENT_SOURCE_DIR) + "/" + GetParam().language + ".txt");
    while (!source.empty() && source.back() == '\n') {
        source.pop_back();
    }
    std::string expected;
    for (char c : source) {
        if (c == '\n') {
            expected += '\r';
        }
        expected += c;
    }
    const std::string decoded = sim::ToUtf8(text);
    EXPECT_EQ(decoded, expected);
    EXPECT_NE(decoded.find(GetParam().agreeButton), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Languages, AgreementFileTest,
                         testing::Values(Agreement{"english", "\"Agree\""},
                                         Agreement{"japanese", "「同意する」"}),
                         [](const auto& info) { return std::string(info.param.language); });

}  // namespace
