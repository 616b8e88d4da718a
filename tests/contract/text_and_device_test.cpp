// ANSI text to UTF-16 as the wireless code converts adapter names, and the open of a device
// that is not there.

#include <string>

#include "platform/device_io.h"
#include "platform/kernel.h"
#include "platform/protocol_driver.h"
#include "tests/contract/environment.h"

namespace contract {
namespace {

using Conversion = ContractTest;

TEST_F(Conversion, MultiByteToWideCharCountsWritesAndRefusesABufferTooSmall) {
    const char name[] = "\\DEVICE\\{ABC}";
    const int length = static_cast<int>(sizeof name - 1);
    EXPECT_EQ(platform::MultiByteToWideChar(platform::kCodePageAnsi, platform::kMbPrecomposed,
                                            name, length, nullptr, 0),
              length);
    char16_t out[32] = {};
    ASSERT_EQ(platform::MultiByteToWideChar(platform::kCodePageAnsi, platform::kMbPrecomposed,
                                            name, length, out, 32),
              length);
    EXPECT_EQ(std::u16string(out), u"\\DEVICE\\{ABC}");
    platform::SetLastError(0);
    EXPECT_EQ(platform::MultiByteToWideChar(platform::kCodePageAnsi, platform::kMbPrecomposed,
                                            name, length, out, length - 1),
              0);
    EXPECT_EQ(platform::GetLastError(), platform::kErrorInsufficientBuffer);
}

using Device = ContractTest;

TEST_F(Device, OurDriversDeviceDoesNotOpenWhenTheDriverIsNotThere) {
    platform::SetLastError(0);
    EXPECT_EQ(platform::CreateFileA(platform::kProtocolDevicePath,
                                    platform::kGenericRead | platform::kGenericWrite, 0,
                                    platform::kOpenExisting, platform::kFileAttributeNormal),
              nullptr);
    EXPECT_EQ(platform::GetLastError(), platform::kErrorFileNotFound);
}

}  // namespace
}  // namespace contract
