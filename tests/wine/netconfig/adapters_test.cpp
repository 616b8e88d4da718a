// CAdaptersInfo and CNICInfo on the adapters Wine reports from the Linux host. Which there are
// depends on the machine, so the list's tests check what holds for any list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "netconfig/adapters_info.h"
#include "netconfig/nic_info.h"

namespace corvane {
namespace {

constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kInvalidParameter = 87;

// Whether an adapter of the list has the hardware address `mac`.
bool Listed(const CAdaptersInfo& info, const uint8_t mac[6]) {
    for (int i = 0; i < info.GetCount(); ++i) {
        if (std::memcmp(info.GetAdapter(i)->Address, mac, 6) == 0) {
            return true;
        }
    }
    return false;
}

bool Terminated(const char* text, size_t size) {
    return std::memchr(text, '\0', size) != nullptr;
}

TEST(AdaptersOnWine, LoadEndsWithADocumentedResultAndListsSaneAdapters) {
    CAdaptersInfo info;
    const int result = info.Load();
    EXPECT_TRUE(result == 0 || result == CAdaptersInfo::kNoAdapters ||
                result == CAdaptersInfo::kNotSupported || result == CAdaptersInfo::kOtherError)
        << result;
    EXPECT_EQ(result == 0, info.GetCount() > 0) << result;
    if (result == 0) {
        EXPECT_EQ(info.Load(), CAdaptersInfo::kAlreadyLoaded);
    }
    for (int i = 0; i < info.GetCount(); ++i) {
        const platform::IpAdapterInfo* adapter = info.GetAdapter(i);
        SCOPED_TRACE(i);
        ASSERT_NE(adapter, nullptr);
        ASSERT_TRUE(Terminated(adapter->AdapterName, sizeof adapter->AdapterName));
        ASSERT_TRUE(Terminated(adapter->Description, sizeof adapter->Description));
        // The name is the GUID in braces that also names the adapter's device.
        const std::string name = adapter->AdapterName;
        EXPECT_EQ(name.size(), 38u) << name;
        EXPECT_EQ(name.front(), '{') << name;
        EXPECT_EQ(name.back(), '}') << name;
        EXPECT_LE(adapter->AddressLength, sizeof adapter->Address);
        const int entries = info.GetIpAddress(i, 0, nullptr, nullptr);
        EXPECT_GE(entries, 1);
        for (int entry = 0; entry < entries; ++entry) {
            uint32_t address = 0;
            uint32_t mask = 0;
            EXPECT_EQ(info.GetIpAddress(i, entry, &address, &mask), 0);
        }
        uint32_t address = 0;
        EXPECT_EQ(info.GetIpAddress(i, entries, &address, nullptr), CAdaptersInfo::kNoEntry);
    }
}

TEST(AdaptersOnWine, UnknownAdaptersAreNotFound) {
    CAdaptersInfo info;
    info.Load();
    const int count = info.GetCount();
    uint32_t address = 0;
    uint32_t mask = 0;
    EXPECT_EQ(info.GetAdapter(count), nullptr);
    EXPECT_EQ(info.GetIpAddress(count, 0, &address, &mask), CAdaptersInfo::kBadAdapter);
    EXPECT_EQ(info.GetIpAddress(-1, 0, nullptr, nullptr), CAdaptersInfo::kBadAdapter);
    EXPECT_EQ(info.GetGateway(count, 0), 0u);

    const uint8_t unknown[6] = {0x02, 0xC0, 0xA7, 0x7E, 0x57, 0x01};
    ASSERT_FALSE(Listed(info, unknown));
    EXPECT_EQ(info.FindIpAddressByMac(unknown, &address, &mask, 0), CAdaptersInfo::kNotFound);
    EXPECT_EQ(info.FindGatewayByMac(unknown), CAdaptersInfo::kNotFound);
}

// Wine's ndis.sys opens the device of each adapter it lists but, of the queries asked here,
// answers only the medium (802.3); the others end with ERROR_INVALID_PARAMETER. The record is
// then of a wired adapter that is neither ready nor connected.
TEST(NicInfoOnWine, AWineAdapterAnswersOnlyItsMediumSoIsNeitherWirelessNorReady) {
    CAdaptersInfo info;
    if (info.Load() != 0) {
        GTEST_SKIP() << "this Wine lists no adapters";
    }
    CNICInfo nic(info.GetAdapter(0)->AdapterName);
    EXPECT_EQ(nic.GetLastError(), 0u);
    uint32_t media[8] = {0xFFFFFFFFu};
    uint32_t length = sizeof media;
    EXPECT_EQ(nic.QueryOid(CNICInfo::kOidGenMediaInUse, media, &length), 0u);
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(media[0], 0u);
    uint32_t value = 0;
    length = sizeof value;
    EXPECT_EQ(nic.QueryOid(CNICInfo::kOidGenPhysicalMedium, &value, &length), kInvalidParameter);
    EXPECT_FALSE(nic.IsWireless());
    EXPECT_FALSE(nic.IsReady());
    EXPECT_FALSE(nic.IsConnected());
}

TEST(NicInfoOnWine, AnAdapterWithoutADeviceAnswersNothing) {
    CNICInfo nic("{C0A7E5E1-7E57-4C0D-9A11-0000C0FFEE01}");
    EXPECT_EQ(nic.GetLastError(), kFileNotFound);
    uint32_t value = 0;
    uint32_t length = sizeof value;
    EXPECT_EQ(nic.QueryOid(CNICInfo::kOidGenMediaInUse, &value, &length), 1u);
    EXPECT_FALSE(nic.IsWireless());
    EXPECT_FALSE(nic.IsReady());
    EXPECT_FALSE(nic.IsConnected());
}

}  // namespace
}  // namespace corvane
