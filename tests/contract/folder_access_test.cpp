// The private folder's access list as the launcher leaves it, read back from the file system.

#include <cstring>
#include <ios>
#include <memory>
#include <string>

#include "launcher/folder_access.h"
#include "platform/security.h"
#include "tests/contract/environment.h"

namespace contract {
namespace {

using FolderAccess = ContractTest;

constexpr uint8_t kEveryone[12] = {1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0};
// What the file system may keep for GENERIC_READ | GENERIC_EXECUTE: the generic rights, or
// those mapped for files (FILE_GENERIC_READ | FILE_GENERIC_EXECUTE), as Wine keeps them.
constexpr uint32_t kReadAndExecute = platform::kGenericRead | platform::kGenericExecute;
constexpr uint32_t kFileReadAndExecute = 0x001200A9;

std::string Ansi(const std::u16string& path) {
    return std::string(path.begin(), path.end());  // the test folders' names are ASCII
}

TEST_F(FolderAccess, EveryoneMayReadAndRunWhatTheFolderHoldsAndNoMore) {
    env().MakeFolder(u"Private");
    std::string folder = Ansi(env().Path(u"Private"));
    ASSERT_EQ(corvane::GrantEveryoneReadAndExecute(folder.c_str()), 1);

    uint32_t needed = 0;
    platform::GetFileSecurityA(folder.c_str(), platform::kDaclSecurityInformation, nullptr, 0,
                               &needed);
    ASSERT_GT(needed, 0u);
    auto descriptor = std::make_unique<uint8_t[]>(needed);
    ASSERT_TRUE(platform::GetFileSecurityA(folder.c_str(), platform::kDaclSecurityInformation,
                                           descriptor.get(), needed, &needed));
    bool present = false;
    bool defaulted = false;
    platform::Acl* acl = nullptr;
    ASSERT_TRUE(platform::GetSecurityDescriptorDacl(descriptor.get(), &present, &acl, &defaulted));
    ASSERT_TRUE(present && acl != nullptr);
    int everyone = 0;
    for (uint32_t index = 0; index < acl->AceCount; ++index) {
        platform::AceHeader* ace = nullptr;
        ASSERT_TRUE(platform::GetAce(acl, index, &ace));
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(ace);
        if (ace->AceType != platform::kAccessAllowedAceType ||
            std::memcmp(bytes + 8, kEveryone, sizeof kEveryone) != 0) {
            continue;
        }
        uint32_t mask = 0;
        std::memcpy(&mask, bytes + 4, sizeof mask);
        EXPECT_TRUE(mask == kReadAndExecute || mask == kFileReadAndExecute) << std::hex << mask;
        EXPECT_EQ(ace->AceFlags, platform::kObjectInheritAce | platform::kContainerInheritAce);
        ++everyone;
    }
    EXPECT_EQ(everyone, 1);
}

}  // namespace
}  // namespace contract
