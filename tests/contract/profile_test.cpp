// GetPrivateProfileStringW and GetPrivateProfileIntW on UTF-16 INI files like the language
// files.

#include <vector>

#include "platform/kernel.h"
#include "tests/contract/environment.h"
#include "tests/contract/utf16_file.h"

namespace contract {
namespace {

constexpr char16_t kIni[] =
    u"[SYSTEM]\r\n"
    u"Language=English\r\n"
    u"font=MS \uFF30\u30B4\u30B7\u30C3\u30AF\r\n"
    u"size=12\r\n"
    u"charset=128\r\n"
    u"RTL=FALSE\r\n"
    u"Length=7x\r\n"
    u"\r\n"
    u"[MESSAGE]\r\n"
    u"0=\"Agree\"\r\n"
    u"1=\r\n"
    u"2=\"\"\r\n"
    u"3=say \"hi\" now\r\n"
    u"4=\"Line one.\\n - Line two.\"\r\n"
    u"5=Disagree\r\n"
    u"6 =  spaced out  \r\n"
    u"\r\n"
    u"7=\"Checking OS support\"\r\n";

constexpr char16_t kMissingText[] = u"jDse*^3:{";

class Profile : public ContractTest {
  protected:
    void SetUp() override {
        ContractTest::SetUp();
        env().MakeFile(u"language.ini", Utf16LeFile(kIni));
        file_ = env().Path(u"language.ini");
    }

    std::u16string file_;
};

struct Lookup {
    const char16_t* section;
    const char16_t* key;
    uint32_t bufferSize;
    std::u16string expected;
};

std::u16string GetString(const Lookup& lookup, const std::u16string& file, uint32_t* length) {
    std::vector<char16_t> buffer(lookup.bufferSize + 1, u'#');
    *length = platform::GetPrivateProfileStringW(lookup.section, lookup.key, kMissingText,
                                                 buffer.data(), lookup.bufferSize, file.c_str());
    return std::u16string(buffer.data());
}

TEST_F(Profile, StringValuesAsTheMessageTableReadsThem) {
    const Lookup lookups[] = {
        {u"SYSTEM", u"Language", 1024, u"English"},
        {u"system", u"LANGUAGE", 1024, u"English"},
        {u"SYSTEM", u"font", 1024, u"MS \uFF30\u30B4\u30B7\u30C3\u30AF"},
        {u"MESSAGE", u"0", 1024, u"Agree"},
        {u"MESSAGE", u"1", 1024, u""},
        {u"MESSAGE", u"2", 1024, u""},
        {u"MESSAGE", u"3", 1024, u"say \"hi\" now"},
        {u"MESSAGE", u"4", 1024, u"Line one.\\n - Line two."},
        {u"MESSAGE", u"6", 1024, u"spaced out"},
        {u"MESSAGE", u"11", 1024, kMissingText},
        {u"NOSUCH", u"0", 1024, kMissingText},
        {u"MESSAGE", u"7", 9, u"Checking"},
        {u"MESSAGE", u"5", 9, u"Disagree"},
        {u"MESSAGE", u"5", 8, u"Disagre"},
        {u"MESSAGE", u"0", 3, u"Ag"},
    };
    for (const Lookup& lookup : lookups) {
        SCOPED_TRACE(testing::Message()
                     << testing::PrintToString(std::u16string(lookup.section) + u"/" + lookup.key)
                     << " into " << lookup.bufferSize << " characters");
        uint32_t length = 0;
        EXPECT_EQ(GetString(lookup, file_, &length), lookup.expected);
        EXPECT_EQ(length, lookup.expected.size());
    }
}

TEST_F(Profile, IntegerValuesAsTheMessageTableReadsThem) {
    struct Case {
        const char16_t* section;
        const char16_t* key;
        uint32_t expected;
    };
    const Case cases[] = {
        {u"SYSTEM", u"size", 12},  {u"System", u"Charset", 128}, {u"SYSTEM", u"RTL", 0},
        {u"SYSTEM", u"Length", 7}, {u"SYSTEM", u"missing", 8},   {u"MESSAGE", u"1", 8},
        {u"NOSUCH", u"size", 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::GetPrivateProfileIntW(c.section, c.key, 8, file_.c_str()), c.expected)
            << testing::PrintToString(std::u16string(c.section) + u"/" + c.key);
    }
}

TEST_F(Profile, AMissingFileGivesTheDefaults) {
    const std::u16string missing = env().Path(u"missing.ini");
    uint32_t length = 0;
    EXPECT_EQ(GetString({u"SYSTEM", u"Language", 1024, u""}, missing, &length), kMissingText);
    EXPECT_EQ(length, std::u16string_view(kMissingText).size());
    EXPECT_EQ(platform::GetPrivateProfileIntW(u"SYSTEM", u"size", 8, missing.c_str()), 8u);
}

}  // namespace
}  // namespace contract
