// CTAVIR_NetSet::InstallDriverFiles with Wine's SETUPAPI. run.sh makes the folders:
//   C:\corvane-netconfig\driver   the product's INF file and our x86_64 TAVIR_CorvaneWD.sys
//   C:\corvane-netconfig\empty    nothing
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "netconfig/tavir_net_set.h"
#include "netconfig/unique_service.h"
#include "platform/device_io.h"
#include "platform/kernel.h"
#include "platform/protocol_driver.h"
#include "tests/wine/netconfig/registry_values.h"

namespace corvane {
namespace {

constexpr char16_t kDriverFolder[] = u"C:\\corvane-netconfig\\driver\\";
constexpr char16_t kEmptyFolder[] = u"C:\\corvane-netconfig\\empty\\";
constexpr wchar_t kOurInf[] = L"C:\\corvane-netconfig\\driver\\TAVIR_CorvaneWD.inf";
constexpr wchar_t kOurDriver[] = L"C:\\corvane-netconfig\\driver\\TAVIR_CorvaneWD.sys";
constexpr wchar_t kInstalledDriver[] = L"C:\\windows\\system32\\drivers\\TAVIR_CorvaneWD.sys";
constexpr char16_t kClassKey[] =
    u"SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E975-E325-11CE-BFC1-08002BE10318}";
constexpr char16_t kNdiKey[] =
    u"SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E975-E325-11CE-BFC1-08002BE10318}\\Ndi";
constexpr char16_t kNdiInterfacesKey[] =
    u"SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E975-E325-11CE-BFC1-08002BE10318}\\Ndi\\"
    u"Interfaces";

bool ServiceExists(const char* name) {
    UniqueServiceHandle manager(platform::OpenSCManagerA(platform::kScManagerAllAccess));
    UniqueServiceHandle service(
        platform::OpenServiceA(manager.Get(), name, platform::kServiceAllAccess));
    return static_cast<bool>(service);
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Copies of our INF file in the system's INF folder, known by their content: Windows names
// them oemN.inf, this Wine keeps the name of the source.
int InfCopies() {
    const std::string ours = FileBytes(kOurInf);
    int copies = 0;
    for (const auto& entry : std::filesystem::directory_iterator(L"C:\\windows\\inf")) {
        if (entry.path().extension() == L".inf" && FileBytes(entry.path()) == ours) {
            ++copies;
        }
    }
    return copies;
}

TEST(DriverFilesOnWine, AFolderWithoutTheInfFileInstallsNothing) {
    const int copies = InfCopies();
    CTAVIR_NetSet netSet;
    EXPECT_EQ(netSet.InstallDriverFiles(kEmptyFolder), 0);
    EXPECT_EQ(InfCopies(), copies);
}

// A fresh Wine prefix has no class key whose Class value is NetTrans, which Windows always
// has. The class's GUID is then not found, its key does not open and the install stops with 0
// after the files and the service, before the [Inst_Ndi] values.
TEST(DriverFilesOnWine, WithoutTheNetTransClassKeyFilesAndServiceComeButTheResultIsZero) {
    if (ReadValue(kClassKey, u"Class")) {
        GTEST_SKIP() << "this Wine prefix has the NetTrans class key";
    }
    CTAVIR_NetSet netSet;
    EXPECT_EQ(netSet.InstallDriverFiles(kDriverFolder), 0);
    EXPECT_EQ(InfCopies(), 1);
    EXPECT_EQ(FileBytes(kInstalledDriver), FileBytes(kOurDriver));
    EXPECT_TRUE(ServiceExists("CorvaneNdisprot"));
    EXPECT_FALSE(ReadValue(kNdiKey, u"Service"));

    // The copy from the first run is replaced, not joined by another.
    EXPECT_EQ(netSet.InstallDriverFiles(kDriverFolder), 0);
    EXPECT_EQ(InfCopies(), 1);
}

// The class key as Windows has it: with it, Wine completes the install.
class DriverFilesWithNetTransClass : public ::testing::Test {
  protected:
    void SetUp() override { WriteValue(kClassKey, u"Class", Text(u"NetTrans")); }
    void TearDown() override {
        DeleteKeys({kNdiInterfacesKey, kNdiKey, kClassKey});
        EXPECT_FALSE(KeyExists(kClassKey));
    }
};

TEST_F(DriverFilesWithNetTransClass, InstallCompletesWithTheNdiValuesUnderTheClassKey) {
    CTAVIR_NetSet netSet;
    EXPECT_EQ(netSet.InstallDriverFiles(kDriverFolder), 1);
    EXPECT_EQ(InfCopies(), 1);
    EXPECT_EQ(FileBytes(kInstalledDriver), FileBytes(kOurDriver));
    EXPECT_TRUE(ServiceExists("CorvaneNdisprot"));
    EXPECT_EQ(ReadValue(kNdiKey, u"Service"), Text(u"CorvaneNdisprot"));
    EXPECT_EQ(ReadValue(kNdiInterfacesKey, u"LowerRange"), Text(u"ndis5,ndis4,ndis5_prot"));
}

// Wine loads our x86_64 image and runs DriverEntry (its imports resolve), but Wine's NDIS
// registers no protocol: DriverEntry then deletes its device and link again and fails, the
// start reports ERROR_GEN_FAILURE, the control device never opens, and the service goes.
TEST_F(DriverFilesWithNetTransClass, TheImageLoadsAndUndoesItselfWhenNoProtocolRegisters) {
    CTAVIR_NetSet netSet;
    ASSERT_EQ(netSet.InstallDriverFiles(kDriverFolder), 1);
    UniqueServiceHandle manager(platform::OpenSCManagerA(platform::kScManagerAllAccess));
    UniqueServiceHandle service(
        platform::OpenServiceA(manager.Get(), "CorvaneNdisprot", platform::kServiceAllAccess));
    ASSERT_TRUE(service);
    EXPECT_FALSE(platform::StartServiceA(service.Get()));
    EXPECT_EQ(platform::GetLastError(), platform::kErrorGenFailure);
    EXPECT_EQ(platform::CreateFileA(platform::kProtocolDevicePath,
                                    platform::kGenericRead | platform::kGenericWrite, 0,
                                    platform::kOpenExisting, platform::kFileAttributeNormal),
              nullptr);
    EXPECT_TRUE(::DeleteService(static_cast<SC_HANDLE>(service.Get())));
    service = UniqueServiceHandle();
    EXPECT_FALSE(ServiceExists("CorvaneNdisprot"));
}

}  // namespace
}  // namespace corvane
