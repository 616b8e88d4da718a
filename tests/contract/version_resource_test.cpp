// Version resources read the way the file version check reads them.

#include <cstring>
#include <string>
#include <vector>

#include "platform/types.h"
#include "platform/version.h"
#include "tests/contract/environment.h"
#include "tests/contract/version_fixture.h"

namespace contract {
namespace {

namespace fixture = version_fixture;

using VersionResource = ContractTest;

std::vector<uint8_t> LoadBlock(const std::u16string& file) {
    const uint32_t size = platform::GetFileVersionInfoSizeW(file.c_str());
    std::vector<uint8_t> block(size);
    if (size == 0 || !platform::GetFileVersionInfoW(file.c_str(), size, block.data())) {
        block.clear();
    }
    return block;
}

TEST_F(VersionResource, TheRootTranslationAndFileDescriptionOfAFile) {
    const std::vector<uint8_t> block = LoadBlock(env().VersionFixture());
    ASSERT_FALSE(block.empty());

    void* value = nullptr;
    uint32_t length = 0;
    ASSERT_TRUE(platform::VerQueryValueW(block.data(), u"\\", &value, &length));
    ASSERT_EQ(length, sizeof(platform::FixedFileInfo));
    platform::FixedFileInfo fixed;
    std::memcpy(&fixed, value, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwProductVersionMS, fixture::kVersionMS);
    EXPECT_EQ(fixed.dwProductVersionLS, fixture::kVersionLS);
    EXPECT_EQ(fixed.dwFileVersionMS, fixture::kVersionMS);
    EXPECT_EQ(fixed.dwFileVersionLS, fixture::kVersionLS);

    ASSERT_TRUE(
        platform::VerQueryValueW(block.data(), u"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    uint16_t translation[2];
    std::memcpy(translation, value, sizeof translation);
    EXPECT_EQ(translation[0], fixture::kLanguage);
    EXPECT_EQ(translation[1], fixture::kCodePage);

    ASSERT_TRUE(platform::VerQueryValueW(
        block.data(), u"\\StringFileInfo\\040904b0\\FileDescription", &value, &length));
    const std::u16string description(static_cast<const char16_t*>(value));
    EXPECT_EQ(description, fixture::kFileDescription);
    // A string's length counts its characters and the terminating zero.
    EXPECT_EQ(length, description.size() + 1);
}

TEST_F(VersionResource, QueriesForValuesTheBlockLacksFail) {
    const std::vector<uint8_t> block = LoadBlock(env().VersionFixture());
    ASSERT_FALSE(block.empty());
    for (const char16_t* query : {u"\\StringFileInfo\\040904b0\\CompanyName",
                                  u"\\StringFileInfo\\04070000\\FileDescription"}) {
        void* value = nullptr;
        uint32_t length = 0;
        EXPECT_FALSE(platform::VerQueryValueW(block.data(), query, &value, &length))
            << testing::PrintToString(std::u16string(query));
    }
}

TEST_F(VersionResource, FilesWithoutAVersionResourceHaveNoBlock) {
    env().MakeFile(u"plain.ini", "[SYSTEM]\r\n");
    for (const char16_t* relative : {u"plain.ini", u"missing.dll"}) {
        const std::u16string file = env().Path(relative);
        EXPECT_EQ(platform::GetFileVersionInfoSizeW(file.c_str()), 0u)
            << testing::PrintToString(file);
    }
}

}  // namespace
}  // namespace contract
