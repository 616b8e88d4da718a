// What the utility control reads to find how a program is started at logon: a folder's files by
// wildcard, the values of a key one by one, and shortcut files.

#include <set>
#include <string>

#include "platform/com.h"
#include "platform/file.h"
#include "platform/kernel.h"
#include "platform/registry.h"
#include "platform/shell_link.h"
#include "tests/contract/environment.h"

namespace contract {
namespace {

using FolderListing = ContractTest;
using ValueEnumeration = ContractTest;
using ShortcutFiles = ContractTest;

constexpr uint32_t kErrorNoMoreItems = 259;

TEST_F(FolderListing, FindsTheMatchingFilesAsTheyAreSpelled) {
    env().MakeFolder(u"Startup");
    env().MakeFile(u"Startup\\Netgear Utility.lnk", "x");
    env().MakeFile(u"Startup\\GCC.LNK", "x");
    env().MakeFile(u"Startup\\desktop.ini", "x");
    std::set<std::u16string> found;
    platform::FindData data{};
    platform::FindHandle find =
        platform::FindFirstFileW(env().Path(u"Startup\\*.lnk").c_str(), &data);
    ASSERT_NE(find, nullptr);
    for (bool more = true; more; more = platform::FindNextFileW(find, &data)) {
        found.insert(data.cFileName);
    }
    EXPECT_TRUE(platform::FindClose(find));
    EXPECT_EQ(found, (std::set<std::u16string>{u"GCC.LNK", u"Netgear Utility.lnk"}));

    EXPECT_EQ(platform::FindFirstFileW(env().Path(u"Startup\\*.exe").c_str(), &data), nullptr);
    EXPECT_EQ(platform::GetLastError(), platform::kErrorFileNotFound);
    EXPECT_EQ(platform::FindFirstFileW(env().Path(u"Missing\\*.lnk").c_str(), &data), nullptr);
    EXPECT_EQ(platform::GetLastError(), platform::kErrorPathNotFound);
}

// A key of its own under HKEY_CURRENT_USER, removed again afterwards.
class ScratchKey {
  public:
    ScratchKey() {
        platform::RegCreateKeyExW(platform::CurrentUser(), kPath, platform::kKeyAllAccess, &key_);
    }
    ~ScratchKey() {
        platform::RegCloseKey(key_);
        platform::RegDeleteKeyW(platform::CurrentUser(), kPath);
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;
    platform::RegistryKey get() const { return key_; }

  private:
    static constexpr char16_t kPath[] = u"Software\\Corvane Contract Run";
    platform::RegistryKey key_ = nullptr;
};

TEST_F(ValueEnumeration, GivesEachValueAsStoredAndRefusesWhatDoesNotFit) {
    ScratchKey key;
    ASSERT_NE(key.get(), nullptr);
    const char16_t unterminated[] = {u'a', u'.', u'e', u'x', u'e'};
    ASSERT_EQ(platform::RegSetValueExW(key.get(), u"Only", platform::kRegSz, unterminated,
                                       sizeof unterminated),
              platform::kErrorSuccess);

    char16_t name[8];
    uint8_t data[16];
        uint32_t nameChars = 8;
    uint32_t dataBytes = sizeof data;
    uint32_t type = 0;
    ASSERT_EQ(platform::RegEnumValueW(key.get(), 0, name, &nameChars, &type, data, &dataBytes),
              platform::kErrorSuccess);
    EXPECT_EQ(std::u16string(name), u"Only");
    EXPECT_EQ(nameChars, 4u);
    EXPECT_EQ(type, platform::kRegSz);
    // The size is what was stored; whether a terminator follows it is not promised.
    EXPECT_EQ(dataBytes, sizeof unterminated);

    nameChars = 4;
    dataBytes = sizeof data;
    EXPECT_EQ(platform::RegEnumValueW(key.get(), 0, name, &nameChars, nullptr, data, &dataBytes),
              platform::kErrorMoreData)
        << "a name needs room for its terminator";
    nameChars = 8;
    dataBytes = 4;
    EXPECT_EQ(platform::RegEnumValueW(key.get(), 0, name, &nameChars, nullptr, data, &dataBytes),
              platform::kErrorMoreData);
    nameChars = 8;
    dataBytes = sizeof data;
    EXPECT_EQ(platform::RegEnumValueW(key.get(), 1, name, &nameChars, nullptr, data, &dataBytes),
              kErrorNoMoreItems);
}

TEST_F(ShortcutFiles, AFileThatIsNoShortcutDoesNotLoad) {
    env().MakeFile(u"Broken.lnk", "not a shell link");
    ASSERT_TRUE(platform::Succeeded(platform::CoInitialize()));
    {
        platform::ShellLink link;
        ASSERT_TRUE(platform::Succeeded(platform::CoCreateShellLink(&link)));
        platform::PersistFile file;
        ASSERT_TRUE(platform::Succeeded(platform::IShellLinkW_QueryPersistFile(link, &file)));
        EXPECT_FALSE(platform::Succeeded(platform::IPersistFile_Load(
            file, env().Path(u"Broken.lnk").c_str(), platform::kStgmRead)));
        EXPECT_FALSE(platform::Succeeded(platform::IPersistFile_Load(
            file, env().Path(u"Missing.lnk").c_str(), platform::kStgmRead)));
    }
    platform::CoUninitialize();
}

}  // namespace
}  // namespace contract
