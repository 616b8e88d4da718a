// Named paging-file mappings as the diagnostic ring uses them.

#include <algorithm>
#include <cstdint>

#include "common/log_ring.h"
#include "platform/kernel.h"
#include "tests/contract/environment.h"
#include "tests/contract/scoped_handle.h"

namespace contract {
namespace {

constexpr char kName[] = "Corvane_Contract_Mapping";
constexpr uint32_t kSize = corvane::log_ring::kSize;

struct Opened {
    ScopedHandle mapping;
    ScopedView view;
    uint32_t error = 0;
    uint8_t* bytes() const { return static_cast<uint8_t*>(view.get()); }
};

Opened Open() {
    Opened opened;
    platform::SetLastError(platform::kErrorAlreadyExists);
    opened.mapping.reset(platform::CreateFileMappingA(kSize, kName));
    opened.error = platform::GetLastError();
    if (opened.mapping) {
        opened.view.reset(platform::MapViewOfFile(opened.mapping.get()));
    }
    return opened;
}

bool AllZero(const uint8_t* bytes) {
    return std::all_of(bytes, bytes + kSize, [](uint8_t b) { return b == 0; });
}

using FileMapping = ContractTest;

TEST_F(FileMapping, TheCreatorGetsZeroedMemoryThatASecondOpenerShares) {
    Opened first = Open();
    ASSERT_NE(first.view, nullptr);
    EXPECT_NE(first.error, platform::kErrorAlreadyExists);
    EXPECT_TRUE(AllZero(first.bytes()));

    first.bytes()[corvane::log_ring::kEnabledOffset] = 1;
    first.bytes()[kSize - 1] = 0x5A;

    Opened second = Open();
    ASSERT_NE(second.view, nullptr);
    EXPECT_EQ(second.error, platform::kErrorAlreadyExists);
    EXPECT_EQ(second.bytes()[corvane::log_ring::kEnabledOffset], 1);
    EXPECT_EQ(second.bytes()[kSize - 1], 0x5A);

    corvane::log_ring::WriteCounter(second.bytes(), 1025);
    EXPECT_EQ(corvane::log_ring::ReadCounter(first.bytes()), 1025u);
}

TEST_F(FileMapping, ANameNobodyHoldsAnyMoreStartsAFreshMapping) {
    {
        Opened first = Open();
        ASSERT_NE(first.view, nullptr);
        first.bytes()[0] = 1;
    }
    Opened again = Open();
    ASSERT_NE(again.view, nullptr);
    EXPECT_NE(again.error, platform::kErrorAlreadyExists);
    EXPECT_TRUE(AllZero(again.bytes()));
}

}  // namespace
}  // namespace contract
