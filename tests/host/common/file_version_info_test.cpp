#include "common/file_version_info.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/sim/code_page.h"
#include "platform/sim/pc.h"
#include "platform/sim/scenario.h"

namespace corvane {
namespace {

constexpr char16_t kProgram[] = u"C:\\Program Files\\Wireless Utility\\wlutil.exe";

sim::File Described(std::u16string description,
                    std::vector<std::pair<uint16_t, uint16_t>> translations = {{0x041F, 0x04E4}}) {
    sim::FileVersion version{.productVersionMS = 0x00020001, .translations = translations};
    if (!description.empty()) {
        version.strings[u"FileDescription"] = std::move(description);
    }
    return sim::File{.version = std::move(version)};
}

class CFileVersionInfoTest : public testing::Test {
  protected:
    void Put(sim::File file) {
        sim::Scenario scenario;
        scenario.files[kProgram] = std::move(file);
        sim::InstallPc(std::move(scenario));
    }
    CFileVersionInfo info_;
    std::u16string description_;
};

TEST_F(CFileVersionInfoTest, ReadsTheDescriptionOfTheFirstTranslation) {
    Put(Described(u"Wireless Utility 無線"));
    ASSERT_TRUE(info_.Load(kProgram));
    ASSERT_TRUE(info_.GetFileDescription(description_));
    EXPECT_EQ(description_, u"Wireless Utility 無線");
}

TEST_F(CFileVersionInfoTest, LongDescriptionComesBackWhole) {
    std::u16string longText(6000, u'd');
    longText.back() = u'!';
    Put(Described(longText));
    ASSERT_TRUE(info_.Load(kProgram));
    ASSERT_TRUE(info_.GetFileDescription(description_));
    EXPECT_EQ(description_, longText);
}

TEST_F(CFileVersionInfoTest, WithoutTranslationTableLoadFails) {
    Put(Described(u"Wireless Utility", {}));
    EXPECT_FALSE(info_.Load(kProgram));
    EXPECT_FALSE(info_.GetFileDescription(description_));
}

TEST_F(CFileVersionInfoTest, WithoutDescriptionOnlyTheQueryFails) {
    Put(Described(u""));
    ASSERT_TRUE(info_.Load(kProgram));
    EXPECT_FALSE(info_.GetFileDescription(description_));
}

// A failed load must not leave the previous file's block behind.
TEST_F(CFileVersionInfoTest, FailedLoadForgetsThePreviousFile) {
    Put(Described(u"Wireless Utility"));
    sim::CurrentPc().PutFile(u"C:\\WINDOWS\\notepad.exe", sim::File{.bytes = "MZ"});
    for (const char16_t* other : {u"C:\\Missing\\tool.exe", u"C:\\WINDOWS\\notepad.exe"}) {
        SCOPED_TRACE(sim::ToUtf8(other));
        ASSERT_TRUE(info_.Load(kProgram));
        EXPECT_FALSE(info_.Load(other));
        EXPECT_FALSE(info_.GetFileDescription(description_));
    }
}

TEST_F(CFileVersionInfoTest, FreeForgetsTheFile) {
    Put(Described(u"Wireless Utility"));
    ASSERT_TRUE(info_.Load(kProgram));
    info_.Free();
    EXPECT_FALSE(info_.GetFileDescription(description_));
}

}  // namespace
}  // namespace corvane
