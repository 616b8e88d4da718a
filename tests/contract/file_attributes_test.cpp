// GetFileAttributesW as the folder test of the command line uses it.

#include "platform/kernel.h"
#include "tests/contract/environment.h"

namespace contract {
namespace {

using FileAttributes = ContractTest;

TEST_F(FileAttributes, TellFoldersFromFilesAndMissingFilesFromMissingFolders) {
    env().MakeFolder(u"Out Folder");
    env().MakeFile(u"Out Folder\\CheckInfo.log", "x");

    struct Case {
        const char16_t* relative;
        bool exists;
        bool directory;
        uint32_t error;  // when it does not exist
    };
    const Case cases[] = {
        {u"Out Folder", true, true, 0},
        {u"Out Folder\\", true, true, 0},
        {u"OUT FOLDER", true, true, 0},
        {u"Out Folder\\CheckInfo.log", true, false, 0},
        {u"Out Folder\\missing.log", false, false, platform::kErrorFileNotFound},
        {u"Out Folder\\Missing Folder", false, false, platform::kErrorFileNotFound},
        {u"Missing Folder\\CheckInfo.log", false, false, platform::kErrorPathNotFound},
        {u"Out Folder\\Missing Folder\\x", false, false, platform::kErrorPathNotFound},
    };
    for (const Case& c : cases) {
        const std::u16string path = env().Path(c.relative);
        SCOPED_TRACE(testing::PrintToString(path));
        platform::SetLastError(0);
        const uint32_t attributes = platform::GetFileAttributesW(path.c_str());
        if (c.exists) {
            ASSERT_NE(attributes, platform::kInvalidFileAttributes);
            EXPECT_EQ((attributes & platform::kFileAttributeDirectory) != 0, c.directory);
        } else {
            EXPECT_EQ(attributes, platform::kInvalidFileAttributes);
            EXPECT_EQ(platform::GetLastError(), c.error);
        }
    }
}

}  // namespace
}  // namespace contract
