// CWirelessLANVista on Wine's own Wlanapi.dll, with another Wlanapi.dll planted beside the test
// program: the back end loads the system's by full path, and every operation on an interface
// Wine does not have returns 0. Wine exports some entry points only as stubs that cannot be
// called; an operation that reaches one is skipped, after checking it reached the right one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "tests/contract/stub_guard.h"
#include "tests/wine/wlan/planted_wlanapi.h"
#include "wlan/wireless_lan_vista.h"

namespace corvane {
namespace {

constexpr char kAbsentInterface[] = "{C0A7E5E1-7E57-4C0D-9A11-0000C0FFEE09}";

std::wstring ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(path, length < MAX_PATH ? length : 0);
}

std::wstring SystemWlanApi() {
    wchar_t directory[MAX_PATH] = {};
    UINT length = ::GetSystemDirectoryW(directory, MAX_PATH);
    return std::wstring(directory, length < MAX_PATH ? length : 0) + L"\\Wlanapi.dll";
}

std::wstring PlantedWlanApi() {
    std::wstring program = ModulePath(nullptr);
    return program.substr(0, program.rfind(L'\\')) + L"\\Wlanapi.dll";
}

// The path of the Wlanapi.dll this process has loaded; empty when none.
std::wstring LoadedWlanApi() {
    HMODULE loaded = ::GetModuleHandleW(L"Wlanapi.dll");
    return loaded != nullptr ? ModulePath(loaded) : std::wstring();
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return !a.empty() && _wcsicmp(a.c_str(), b.c_str()) == 0;
}

bool PlantRan() {
    return ::GetEnvironmentVariableW(kPlantedWlanApiMark, nullptr, 0) != 0;
}

TEST(WirelessLanVistaOnWine, LoadWlanApiResolvesEveryEntryPointFromTheSystemLibrary) {
    ASSERT_EQ(LoadedWlanApi(), L"");
    {
        CWirelessLANVista lan;
        ASSERT_EQ(lan.LoadWlanApi(), 1);
        std::wstring loaded = LoadedWlanApi();
        EXPECT_TRUE(SamePath(loaded, SystemWlanApi())) << "loaded " << loaded;
    }
    // The back end gives the library back when it goes.
    EXPECT_EQ(LoadedWlanApi(), L"");
}

TEST(WirelessLanVistaOnWine, APlantedWlanApiBesideTheProgramNeverRuns) {
    const std::wstring planted = PlantedWlanApi();
    ASSERT_NE(::GetFileAttributesW(planted.c_str()), INVALID_FILE_ATTRIBUTES)
        << "the build puts the planted Wlanapi.dll beside the test program";
    ::SetEnvironmentVariableW(kPlantedWlanApiMark, nullptr);
    {
        CWirelessLANVista lan;
        ASSERT_EQ(lan.LoadWlanApi(), 1);
        EXPECT_FALSE(PlantRan());
    }
    // The plant is live: a load by bare name looks in the program's folder first and runs it.
    HMODULE bare = ::LoadLibraryW(L"Wlanapi.dll");
    ASSERT_NE(bare, nullptr);
    EXPECT_TRUE(PlantRan());
    EXPECT_TRUE(SamePath(ModulePath(bare), planted));
    ::FreeLibrary(bare);
    ::SetEnvironmentVariableW(kPlantedWlanApiMark, nullptr);
}

const char16_t kProfile[] =
    u"<?xml version=\"1.0\"?><WLANProfile "
    u"xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\"><name>Corvane</name>"
    u"<SSIDConfig><SSID><name>Corvane</name></SSID></SSIDConfig>"
    u"<connectionType>IBSS</connectionType><MSM><security><authEncryption>"
    u"<authentication>open</authentication><encryption>none</encryption>"
    u"<useOneX>false</useOneX></authEncryption></security></MSM></WLANProfile>";

struct Operation {
    const char* name;
    const char* entryPoint;  // the WLAN call it makes after opening its client
    int (*run)(CWirelessLANVista& lan);
};

int RequestScan(CWirelessLANVista& lan) {
    return lan.RequestScan(kAbsentInterface);
}

int RefreshNetworks(CWirelessLANVista& lan) {
    int count = 0;
    return lan.GetAvailableNetwork(kAbsentInterface, CWirelessLANVista::kRefresh, nullptr, &count);
}

int Disconnect(CWirelessLANVista& lan) {
    return lan.Disconnect(kAbsentInterface);
}

int GetConnectedProfile(CWirelessLANVista& lan) {
    int connected = 0;
    std::vector<char16_t> xml(CWirelessLANVista::kProfileXmlUnits);
    return lan.GetConnectedProfile(kAbsentInterface, &connected, xml.data());
}

int StoreProfile(CWirelessLANVista& lan) {
    return lan.SetProfile(kAbsentInterface, kProfile, 1);
}

int ConnectByProfile(CWirelessLANVista& lan) {
    return lan.SetProfile(kAbsentInterface, kProfile, 0);
}

int DeleteProfile(CWirelessLANVista& lan) {
    return lan.DeleteProfile(kAbsentInterface, u"Corvane");
}

class WirelessLanVistaOnAbsentInterface : public testing::TestWithParam<Operation> {};

TEST_P(WirelessLanVistaOnAbsentInterface, ReturnsZero) {
    CWirelessLANVista lan;
    ASSERT_EQ(lan.LoadWlanApi(), 1);
    int result = -1;
    std::optional<std::string> stub =
        contract::RunUnlessStub([&] { result = GetParam().run(lan); });
    if (stub) {
        EXPECT_EQ(*stub, std::string("wlanapi.dll.") + GetParam().entryPoint);
        GTEST_SKIP() << "Wine's " << *stub << " is an unimplemented stub";
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(lan.CacheSize(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, WirelessLanVistaOnAbsentInterface,
    testing::Values(Operation{"RequestScan", "WlanScan", RequestScan},
                    Operation{"RefreshNetworks", "WlanGetAvailableNetworkList", RefreshNetworks},
                    Operation{"Disconnect", "WlanDisconnect", Disconnect},
                    Operation{"GetConnectedProfile", "WlanGetAvailableNetworkList",
                              GetConnectedProfile},
                    Operation{"StoreProfile", "WlanSetProfile", StoreProfile},
                    Operation{"ConnectByProfile", "WlanConnect", ConnectByProfile},
                    Operation{"DeleteProfile", "WlanDeleteProfile", DeleteProfile}),
    [](const testing::TestParamInfo<Operation>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
