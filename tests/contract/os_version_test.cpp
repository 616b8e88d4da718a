// GetVersionExW with the two structure sizes that the operating-system check passes.

#include <cstring>

#include "platform/kernel.h"
#include "tests/contract/environment.h"

namespace contract {
namespace {

constexpr uint8_t kUntouched = 0xAB;

platform::OsVersionInfo Query(uint32_t size, bool* succeeded) {
    platform::OsVersionInfo info;
    std::memset(&info, kUntouched, sizeof info);
    info.dwOSVersionInfoSize = size;
    *succeeded = platform::GetVersionExW(&info);
    return info;
}

class OsVersion : public ContractTest, public testing::WithParamInterface<WindowsVersion> {};

TEST_P(OsVersion, IsReportedThroughBothStructureSizes) {
    const WindowsVersion& expected = GetParam();
    if (!env().UseWindowsVersion(expected)) {
        GTEST_SKIP() << "this run is not set up as " << expected.name;
    }
    for (uint32_t size : {platform::kOsVersionInfoSize, platform::kOsVersionInfoExSize}) {
        SCOPED_TRACE(testing::Message() << "structure size " << size);
        bool succeeded = false;
        const platform::OsVersionInfo info = Query(size, &succeeded);
        ASSERT_TRUE(succeeded);
        EXPECT_EQ(info.dwPlatformId, expected.platformId);
        EXPECT_EQ(info.dwMajorVersion, expected.major);
        EXPECT_EQ(info.dwMinorVersion, expected.minor);
        if (size == platform::kOsVersionInfoExSize) {
            EXPECT_EQ(info.wProductType, expected.productType);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, OsVersion,
    testing::Values(WindowsVersion{"win98", platform::kVerPlatformWin32Windows, 4, 10, 0},
                    WindowsVersion{"nt40", platform::kVerPlatformWin32Nt, 4, 0, 1},
                    WindowsVersion{"win2k", platform::kVerPlatformWin32Nt, 5, 0, 1},
                    WindowsVersion{"winxp", platform::kVerPlatformWin32Nt, 5, 1, 1},
                    WindowsVersion{"vista", platform::kVerPlatformWin32Nt, 6, 0, 1},
                    WindowsVersion{"win2008", platform::kVerPlatformWin32Nt, 6, 0, 3}),
    [](const testing::TestParamInfo<WindowsVersion>& info) { return info.param.name; });

using OsVersionStructure = ContractTest;

TEST_F(OsVersionStructure, TheSizeFieldDecidesWhatIsFilled) {
    bool succeeded = false;
    const platform::OsVersionInfo plain = Query(platform::kOsVersionInfoSize, &succeeded);
    ASSERT_TRUE(succeeded);
    const auto* tail = reinterpret_cast<const uint8_t*>(&plain) + platform::kOsVersionInfoSize;
    for (uint32_t i = 0; i < platform::kOsVersionInfoExSize - platform::kOsVersionInfoSize; ++i) {
        EXPECT_EQ(tail[i], kUntouched) << "byte " << platform::kOsVersionInfoSize + i;
    }

    const platform::OsVersionInfo extended = Query(platform::kOsVersionInfoExSize, &succeeded);
    ASSERT_TRUE(succeeded);
    EXPECT_NE(extended.wProductType, kUntouched);
    EXPECT_EQ(extended.dwMajorVersion, plain.dwMajorVersion);
}

TEST_F(OsVersionStructure, AnyOtherSizeFailsAndFillsNothing) {
    for (uint32_t size : {0u, 148u, 275u, 277u, 283u}) {
        bool succeeded = true;
        const platform::OsVersionInfo info = Query(size, &succeeded);
        EXPECT_FALSE(succeeded) << "size " << size;
        EXPECT_EQ(info.dwMajorVersion, 0xABABABABu) << "size " << size;
    }
}

}  // namespace
}  // namespace contract
