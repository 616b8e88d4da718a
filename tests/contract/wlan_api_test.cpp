// The native WLAN API as the wireless back end reaches it: the system's Wlanapi.dll loaded by
// full path, its entry points found by name, client handles, refused out-pointers and calls on
// an interface the PC does not have.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/kernel.h"
#include "platform/wlan.h"
#include "tests/contract/environment.h"

namespace contract {
namespace {

constexpr uint32_t kErrorInvalidHandle = 6;
constexpr uint32_t kErrorInvalidParameter = 87;
// No PC has a wireless adapter of this GUID.
constexpr char kAbsentInterface[] = "C0A7E5E1-7E57-4C0D-9A11-0000C0FFEE09";

struct LibraryFreer {
    void operator()(void* library) const { platform::FreeLibrary(library); }
};

class WlanApi : public ContractTest {
  public:
    // The library's entry point of that name, or nullptr.
    void* Find(const char* name) const { return platform::GetProcAddress(library_.get(), name); }

    template <typename Fn>
    Fn Entry(const char* name) const {
        return reinterpret_cast<Fn>(Find(name));
    }

  protected:
    void SetUp() override {
        ContractTest::SetUp();
        if (!env().UseWlanService()) {
            GTEST_SKIP() << "no Wlanapi.dll in the system directory";
        }
        char16_t directory[platform::kMaxPath] = {};
        uint32_t length = platform::GetSystemDirectoryW(directory, platform::kMaxPath);
        ASSERT_GT(length, 0u);
        ASSERT_LT(length, static_cast<uint32_t>(platform::kMaxPath));
        std::u16string path = std::u16string(directory, length) + u"\\Wlanapi.dll";
        library_.reset(platform::LoadLibraryW(path.c_str()));
        ASSERT_NE(library_.get(), nullptr);
    }

    // A client handle of the current WLAN API version.
    platform::WlanHandle Open() const {
        uint32_t negotiated = 0;
        platform::WlanHandle client = nullptr;
        uint32_t error =
            Entry<platform::WlanOpenHandleFn>("WlanOpenHandle")(2, nullptr, &negotiated, &client);
        EXPECT_EQ(error, 0u);
        return error == 0 ? client : nullptr;
    }

    uint32_t Close(platform::WlanHandle client) const {
        return Entry<platform::WlanCloseHandleFn>("WlanCloseHandle")(client, nullptr);
    }

  private:
    std::unique_ptr<void, LibraryFreer> library_;
};

TEST_F(WlanApi, ExportsEveryEntryPointTheBackEndResolves) {
    for (const char* name :
         {"WlanCloseHandle", "WlanOpenHandle", "WlanScan", "WlanFreeMemory",
          "WlanGetAvailableNetworkList", "WlanConnect", "WlanQueryInterface", "WlanSetInterface",
          "WlanDisconnect", "WlanGetProfile", "WlanSetProfile", "WlanDeleteProfile"}) {
        EXPECT_NE(Find(name), nullptr) << name;
    }
}

TEST_F(WlanApi, ClientHandlesNegotiateTheirVersionAndCloseOnceEach) {
    auto open = Entry<platform::WlanOpenHandleFn>("WlanOpenHandle");
    // Version 1 is the XP client's, 2 Vista's; the service speaks both.
    std::vector<platform::WlanHandle> clients;
    for (uint32_t version : {1u, 2u}) {
        SCOPED_TRACE(version);
        uint32_t negotiated = 0;
        platform::WlanHandle client = nullptr;
        ASSERT_EQ(open(version, nullptr, &negotiated, &client), 0u);
        EXPECT_EQ(negotiated, version);
        EXPECT_NE(client, nullptr);
        clients.push_back(client);
    }
    EXPECT_NE(clients[0], clients[1]);
    EXPECT_EQ(Close(clients[0]), 0u);
    EXPECT_EQ(Close(clients[0]), kErrorInvalidHandle);
    // Closing one client leaves the other open.
    EXPECT_EQ(Close(clients[1]), 0u);
    EXPECT_EQ(Close(clients[1]), kErrorInvalidHandle);
}

TEST_F(WlanApi, OpenAndCloseRefuseANullHandleOrOutPointerAndAReservedArgument) {
    auto open = Entry<platform::WlanOpenHandleFn>("WlanOpenHandle");
    uint32_t negotiated = 0;
    platform::WlanHandle client = nullptr;
    int reserved = 0;
    EXPECT_EQ(open(2, nullptr, nullptr, &client), kErrorInvalidParameter);
    EXPECT_EQ(open(2, nullptr, &negotiated, nullptr), kErrorInvalidParameter);
    EXPECT_EQ(open(2, &reserved, &negotiated, &client), kErrorInvalidParameter);
    EXPECT_EQ(Close(nullptr), kErrorInvalidParameter);
    platform::WlanHandle opened = Open();
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(Entry<platform::WlanCloseHandleFn>("WlanCloseHandle")(opened, &reserved),
              kErrorInvalidParameter);
    EXPECT_EQ(Close(opened), 0u);
}

// A call on the absent interface: its error, and memory it handed out (it must not).
struct Outcome {
    uint32_t error = 0;
    void* handedOut = nullptr;
};

using AbsentInterfaceFn = Outcome (*)(const WlanApi& api, platform::WlanHandle client,
                                      const platform::Guid* guid);

Outcome Scan(const WlanApi& api, platform::WlanHandle client, const platform::Guid* guid) {
    auto scan = api.Entry<platform::WlanScanFn>("WlanScan");
    return {.error = scan(client, guid, nullptr, nullptr, nullptr)};
}

Outcome GetAvailableNetworkList(const WlanApi& api, platform::WlanHandle client,
                                const platform::Guid* guid) {
    auto list = api.Entry<platform::WlanGetAvailableNetworkListFn>("WlanGetAvailableNetworkList");
    platform::WlanAvailableNetworkList* networks = nullptr;
    uint32_t error = list(client, guid, 0, nullptr, &networks);
    return {.error = error, .handedOut = networks};
}

Outcome Disconnect(const WlanApi& api, platform::WlanHandle client, const platform::Guid* guid) {
    auto disconnect = api.Entry<platform::WlanDisconnectFn>("WlanDisconnect");
    return {.error = disconnect(client, guid, nullptr)};
}

Outcome DeleteProfile(const WlanApi& api, platform::WlanHandle client, const platform::Guid* guid) {
    auto remove = api.Entry<platform::WlanDeleteProfileFn>("WlanDeleteProfile");
    return {.error = remove(client, guid, u"Corvane", nullptr)};
}

struct AbsentInterfaceCall {
    const char* name;
    AbsentInterfaceFn call;
};

class WlanApiOnAbsentInterface : public WlanApi,
                                 public testing::WithParamInterface<AbsentInterfaceCall> {};

TEST_P(WlanApiOnAbsentInterface, FailsAndHandsOutNothing) {
    platform::Guid guid{};
    ASSERT_EQ(platform::UuidFromStringA(kAbsentInterface, &guid), 0u);
    platform::WlanHandle client = Open();
    ASSERT_NE(client, nullptr);
    Outcome outcome;
    std::optional<std::string> stub =
        env().RunUnlessStub([&] { outcome = GetParam().call(*this, client, &guid); });
    // The client stays usable whatever the call did.
    EXPECT_EQ(Close(client), 0u);
    if (stub) {
        GTEST_SKIP() << *stub << " is exported but not implemented here";
    }
    EXPECT_NE(outcome.error, 0u);
    EXPECT_EQ(outcome.handedOut, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Calls, WlanApiOnAbsentInterface,
                         testing::Values(AbsentInterfaceCall{"WlanScan", Scan},
                                         AbsentInterfaceCall{"WlanGetAvailableNetworkList",
                                                             GetAvailableNetworkList},
                                         AbsentInterfaceCall{"WlanDisconnect", Disconnect},
                                         AbsentInterfaceCall{"WlanDeleteProfile", DeleteProfile}),
                         [](const testing::TestParamInfo<AbsentInterfaceCall>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace contract
