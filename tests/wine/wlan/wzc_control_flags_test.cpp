// GetWZCControlFlags against Wine's registry, under an interface name Wine does not have. A
// fresh prefix has no WZCSVC key at all, so the tests also make and remove the keys above it.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "tests/wine/netconfig/registry_values.h"
#include "wlan/wzc_control_flags.h"

namespace corvane {
namespace {

constexpr uint32_t kRegBinary = 3;
constexpr char kAdapter[] = "{C0A7E5E1-7E57-4C0D-9A11-0000C0FFEE22}";
constexpr char16_t kInterfaceKey[] =
    u"SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\"
    u"{C0A7E5E1-7E57-4C0D-9A11-0000C0FFEE22}";
// Deepest first, the order they are removed in.
constexpr const char16_t* kKeysAbove[] = {
    u"SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces",
    u"SOFTWARE\\Microsoft\\WZCSVC\\Parameters",
    u"SOFTWARE\\Microsoft\\WZCSVC",
};
constexpr uint32_t kUntouched = 0xEEEE;

class WzcControlFlagsOnWine : public ::testing::Test {
  protected:
    void SetUp() override {
        // Left by a run that was stopped half way; the name is ours alone.
        DeleteKeys({kInterfaceKey});
        ASSERT_FALSE(KeyExists(kInterfaceKey));
        for (const char16_t* key : kKeysAbove) {
            m_existedBefore.push_back(KeyExists(key));
        }
    }
    void TearDown() override {
        DeleteKeys({kInterfaceKey});
        EXPECT_FALSE(KeyExists(kInterfaceKey));
        for (size_t i = 0; i < std::size(kKeysAbove); ++i) {
            if (!m_existedBefore[i]) {
                DeleteKeys({kKeysAbove[i]});
            }
            EXPECT_EQ(KeyExists(kKeysAbove[i]), m_existedBefore[i]) << i;
        }
    }

  private:
    std::vector<bool> m_existedBefore;
};

TEST_F(WzcControlFlagsOnWine, AMissingKeyIsCreatedAndReadsAsNoFlags) {
    uint32_t flags = kUntouched;
    EXPECT_EQ(GetWZCControlFlags(kAdapter, &flags), 0);
    EXPECT_EQ(flags, kUntouched);
    EXPECT_TRUE(KeyExists(kInterfaceKey));
    // The key made, still without a value.
    EXPECT_EQ(GetWZCControlFlags(kAdapter, &flags), 0);
    EXPECT_EQ(flags, kUntouched);
}

TEST_F(WzcControlFlagsOnWine, ReadsOnlyAFourByteDword) {
    struct Case {
        const char* what;
        RegistryValue value;
        int result;
        uint32_t flags;
    };
    const std::vector<uint8_t> fourBytes = Dword(0x8000).bytes;
    const Case cases[] = {
        {"configured by WZC", Dword(0x8000), 1, 0x8000},
        {"zero", Dword(0), 1, 0},
        // Four bytes like a DWORD's, so only the type tells them apart.
        {"text", Text(u"7"), 0, kUntouched},
        {"binary", {kRegBinary, fourBytes}, 0, kUntouched},
        {"a short DWORD", {platform::kRegDword, {0x00, 0x80}}, 0, kUntouched},
        {"a long DWORD", {platform::kRegDword, std::vector<uint8_t>(8, 0x01)}, 0, kUntouched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteValue(kInterfaceKey, u"ControlFlags", c.value);
        ASSERT_EQ(ReadValue(kInterfaceKey, u"ControlFlags"), c.value);
        uint32_t flags = kUntouched;
        EXPECT_EQ(GetWZCControlFlags(kAdapter, &flags), c.result);
        EXPECT_EQ(flags, c.flags);
    }
}

}  // namespace
}  // namespace corvane
