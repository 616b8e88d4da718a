// The private folder's DACL: Everyone may read and run its files, nobody else gains anything,
// and the rest of the folder's entries keep their order.

#include <gtest/gtest.h>

#include "launcher/folder_access.h"
#include "launcher_pc.h"

namespace corvane::testing {
namespace {

const std::string kEveryone = {1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};
const std::string kSystem = {1, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0};
const std::string kAdministrators = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 0x02, 0, 0};
const std::string kUsers = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x21, 0x02, 0, 0};

constexpr uint32_t kFullAccess = 0x1F01FF;
constexpr uint32_t kReadAndExecute = 0xA0000000;  // GENERIC_READ | GENERIC_EXECUTE
constexpr uint8_t kInheritable = 0x03;            // OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE
constexpr uint8_t kInherited = 0x10;
const sim::Ace kGranted = {0, kInheritable, kReadAndExecute, kEveryone};

struct AclCase {
    const char* name;
    std::optional<std::vector<sim::Ace>> before;
    uint16_t controlBefore;
    std::vector<sim::Ace> after;
    uint16_t controlAfter;
};

std::ostream& operator<<(std::ostream& out, const AclCase& c) {
    return out << c.name;
}

class AclTest : public ::testing::TestWithParam<AclCase> {};

INSTANTIATE_TEST_SUITE_P(
    Cases, AclTest,
    ::testing::Values(
        AclCase{"DaclAbsent", std::nullopt, 0, {kGranted}, 0},
        AclCase{"DaclEmpty", std::vector<sim::Ace>{}, 0, {kGranted}, 0},
        // Everyone's own entries go, full access above all: ours takes their place, after the
        // explicit entries and before the inherited ones, which stay as they were.
        AclCase{"ExplicitAndInherited",
                std::vector<sim::Ace>{{0, 0, kFullAccess, kAdministrators},
                                      {0, kInheritable, kFullAccess, kEveryone},
                                      {1, 0, 0x40000000, kUsers},
                                      {0, kInheritable | kInherited, kFullAccess, kSystem},
                                      {0, kInherited, 0x120089, kEveryone}},
                0x0400,
                {{0, 0, kFullAccess, kAdministrators},
                 {1, 0, 0x40000000, kUsers},
                 kGranted,
                 {0, kInheritable | kInherited, kFullAccess, kSystem},
                 {0, kInherited, 0x120089, kEveryone}},
                0x0500},
        AclCase{"OnlyInherited",
                std::vector<sim::Ace>{{0, kInheritable | kInherited, kFullAccess, kSystem}},
                0x0400,
                {kGranted, {0, kInheritable | kInherited, kFullAccess, kSystem}},
                0x0500},
        AclCase{"Protected",
                std::vector<sim::Ace>{{0, 0, kFullAccess, kEveryone},
                                      {0, 0, kFullAccess, kAdministrators}},
                0x1000,
                {{0, 0, kFullAccess, kAdministrators}, kGranted},
                0x1000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(AclTest, GrantsEveryoneReadAndExecuteOnly) {
    const AclCase& c = GetParam();
    sim::Scenario pc = LauncherPc();
    pc.files[u"C:\\Folder"] =
        sim::File{.directory = true, .dacl = c.before, .securityControl = c.controlBefore};
    tools::SimSession session(pc);
    EXPECT_EQ(GrantEveryoneReadAndExecute("C:\\Folder"), 1);
    const sim::File* folder = session.pc().FindFile(u"C:\\Folder");
    ASSERT_TRUE(folder->dacl.has_value());
    EXPECT_EQ(*folder->dacl, c.after);
    EXPECT_EQ(folder->securityControl, c.controlAfter);
    EXPECT_EQ(session.pc().librariesHeld(), 0) << "ADVAPI32 is freed";
}

TEST(AclTest, FailsForAFolderThatIsNotThere) {
    tools::SimSession session(LauncherPc());
    EXPECT_EQ(GrantEveryoneReadAndExecute("C:\\Nowhere"), 0);
    EXPECT_EQ(session.pc().librariesHeld(), 0);
}

}  // namespace
}  // namespace corvane::testing
