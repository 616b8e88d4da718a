// VirtualQuery on the view of a named paging-file mapping: how the diagnostic channel learns how
// much of a ring another program made is really there.

#include <cstdint>

#include "common/log_ring.h"
#include "platform/kernel.h"
#include "tests/contract/environment.h"
#include "tests/contract/scoped_handle.h"

namespace contract {
namespace {

constexpr char kName[] = "Corvane_Contract_Region";
constexpr uint32_t kPage = 4096;
constexpr uint32_t kRingSize = corvane::log_ring::kSize;

struct Mapped {
    ScopedHandle mapping;
    ScopedView view;
    uint32_t error = 0;
    uint8_t* bytes() const { return static_cast<uint8_t*>(view.get()); }
};

Mapped Map(uint32_t size) {
    Mapped mapped;
    mapped.mapping.reset(platform::CreateFileMappingA(size, kName));
    mapped.error = platform::GetLastError();
    if (mapped.mapping) {
        mapped.view.reset(platform::MapViewOfFile(mapped.mapping.get()));
    }
    return mapped;
}

using VirtualQuery = ContractTest;

TEST_F(VirtualQuery, AViewIsOneCommittedReadWriteRegionOfWholePages) {
    struct Case {
        uint32_t size;
        size_t region;
    };
    const Case cases[] = {
        {kPage, kPage},
        {kPage + 1, 2 * kPage},
        {kRingSize - 1, 65 * kPage},
        {kRingSize, 65 * kPage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        Mapped mapped = Map(c.size);
        ASSERT_NE(mapped.view, nullptr);

        platform::MemoryBasicInformation info{};
        ASSERT_EQ(platform::VirtualQuery(mapped.bytes(), &info), sizeof info);
        EXPECT_EQ(info.BaseAddress, mapped.bytes());
        EXPECT_EQ(info.AllocationBase, mapped.bytes());
        EXPECT_EQ(info.RegionSize, c.region);
        EXPECT_EQ(info.State, platform::kMemCommit);
        EXPECT_EQ(info.Protect, platform::kPageReadWrite);
        EXPECT_EQ(info.Type, platform::kMemMapped);

        // From inside the last page, the region starts at that page.
        ASSERT_EQ(platform::VirtualQuery(mapped.bytes() + c.size - 1, &info), sizeof info);
        EXPECT_EQ(info.BaseAddress, mapped.bytes() + c.region - kPage);
        EXPECT_EQ(info.RegionSize, kPage);
    }
}

// What the channel must guard against: the name's first creator sets the size for everyone.
TEST_F(VirtualQuery, ALaterOpenerOfTheNameSeesTheCreatorsSizeNotItsOwn) {
    Mapped creator = Map(kPage);
    ASSERT_NE(creator.view, nullptr);
    Mapped opener = Map(kRingSize);
    ASSERT_NE(opener.view, nullptr);
    EXPECT_EQ(opener.error, platform::kErrorAlreadyExists);

    platform::MemoryBasicInformation info{};
    ASSERT_EQ(platform::VirtualQuery(opener.bytes(), &info), sizeof info);
    EXPECT_EQ(info.RegionSize, kPage);
    creator.bytes()[kPage - 1] = 0x5A;
    EXPECT_EQ(opener.bytes()[kPage - 1], 0x5A);
}

}  // namespace
}  // namespace contract
