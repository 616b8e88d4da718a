// The generated language files, read through the profile functions as the message table
// reads them.

#include <string>

#include "platform/kernel.h"
#include "tests/contract/environment.h"

namespace contract {
namespace {

constexpr char16_t kMissingText[] = u"jDse*^3:{";

struct Language {
    const char* name;
    std::u16string language;
    std::u16string font;
    uint32_t charset;
    std::u16string agree;  // message 0
};

std::u16string Get(const char16_t* section, const std::u16string& key, const std::u16string& file) {
    char16_t buffer[1024] = {};
    platform::GetPrivateProfileStringW(section, key.c_str(), kMissingText, buffer, 1024,
                                       file.c_str());
    return buffer;
}

std::u16string Decimal(int id) {
    const std::string text = std::to_string(id);
    return std::u16string(text.begin(), text.end());
}

class LanguageFile : public ContractTest, public testing::WithParamInterface<Language> {};

TEST_P(LanguageFile, HoldsItsSystemSettingsAndMessagesZeroToTwentySevenWithoutEleven) {
    const Language& expected = GetParam();
    const std::u16string file = env().LanguageFile(expected.name);
    if (file.empty()) {
        GTEST_SKIP() << "this build has no generated " << expected.name << " language file";
    }

    EXPECT_EQ(Get(u"SYSTEM", u"Language", file), expected.language);
    EXPECT_EQ(Get(u"SYSTEM", u"font", file), expected.font);
    EXPECT_EQ(platform::GetPrivateProfileIntW(u"SYSTEM", u"size", 8, file.c_str()), 12u);
    EXPECT_EQ(platform::GetPrivateProfileIntW(u"SYSTEM", u"charset", 0, file.c_str()),
              expected.charset);
    EXPECT_EQ(Get(u"MESSAGE", u"0", file), expected.agree);

    for (int id = 0; id <= 28; ++id) {
        SCOPED_TRACE(testing::Message() << "message " << id);
        const std::u16string text = Get(u"MESSAGE", Decimal(id), file);
        if (id == 11 || id == 28) {
            EXPECT_EQ(text, kMissingText);
            continue;
        }
        ASSERT_FALSE(text.empty());
        EXPECT_NE(text, kMissingText);
        EXPECT_NE(text.front(), u'"');
        EXPECT_NE(text.back(), u'"');
    }
    // The message table, not the profile functions, turns the two characters \n into a break.
    EXPECT_NE(Get(u"MESSAGE", u"20", file).find(u"\\n - "), std::u16string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Generated, LanguageFile,
    testing::Values(Language{"english", u"English", u"MS Sans Serif", 0, u"Agree"},
                    Language{"japanese", u"Japanese", u"MS \uFF30\u30B4\u30B7\u30C3\u30AF", 128,
                             u"\u540C\u610F\u3059\u308B"}),
    [](const testing::TestParamInfo<Language>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace contract
