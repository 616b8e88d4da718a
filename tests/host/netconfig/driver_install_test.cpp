// Installation and removal of the protocol driver on the simulated PC: the files, the service
// and the network component, the order of the setup calls, and how each failure ends.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "netconfig/tavir_net_set.h"
#include "platform/sim/pc.h"
#include "tools/scenario/scenario_file.h"

namespace corvane {
namespace {

constexpr char16_t kFolder[] = u"C:\\Temp\\{1A8B078A-38DC-4efc-98E7-B6407DB6382C}\\";
constexpr char16_t kOemCopy[] = u"C:\\WINDOWS\\inf\\oem0.inf";
constexpr char16_t kDriverCopy[] = u"C:\\WINDOWS\\system32\\drivers\\TAVIR_CorvaneWD.sys";
constexpr char16_t kComponent[] = u"TAVIR_Corvane_Ndisprot";
constexpr char kService[] = "corvanendisprot";
constexpr char16_t kClassKey[] =
    u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\"
    u"{4D36E975-E325-11CE-BFC1-08002BE10318}\\Ndi";

std::string InfBytes() {
    std::ifstream in(CORVANE_INF_FILE, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A Windows XP PC with the launcher's folder holding the INF file and the driver.
sim::Scenario Pc(bool withInf = true) {
    sim::Scenario pc;
    std::u16string folder = kFolder;
    if (withInf) {
        pc.files[folder + u"TAVIR_CorvaneWD.inf"] = sim::File{.bytes = InfBytes()};
    }
    pc.files[folder + u"TAVIR_CorvaneWD.sys"] = sim::File{.bytes = "MZ driver"};
    pc.files[u"C:\\WINDOWS\\inf"] = sim::File{.directory = true};
    pc.files[u"C:\\WINDOWS\\system32\\drivers"] = sim::File{.directory = true};
    return pc;
}

sim::Scenario Failing(const std::string& call, uint32_t error, sim::Scenario pc = Pc()) {
    pc.driverSetup.failingCalls[call] = error;
    return pc;
}

bool HasComponent(sim::Pc& pc) {
    for (const std::u16string& id : pc.driverSetup().components()) {
        if (id == kComponent) {
            return true;
        }
    }
    return false;
}

// Nothing of the setup calls stays open and the engine is left as found.
void ExpectAllClosed(sim::Pc& pc) {
    sim::DriverSetup& setup = pc.driverSetup();
    EXPECT_TRUE(setup.infs().empty());
    EXPECT_TRUE(setup.queues().empty());
    EXPECT_TRUE(setup.queueContexts().empty());
    EXPECT_TRUE(setup.componentObjects().empty());
    EXPECT_TRUE(setup.classSetups().empty());
    EXPECT_FALSE(setup.initialized());
    EXPECT_EQ(pc.network().registry().openKeys(), 0u);
    EXPECT_TRUE(pc.network().comObjects().empty());
    EXPECT_EQ(pc.network().comInitialized(), 0);
    EXPECT_FALSE(pc.network().writeLockHeld());
    EXPECT_EQ(pc.network().applies(), 0);
}

TEST(DriverInstallTest, FirstRunInstallsThenRemovesAndKeepsTheOemCopy) {
    sim::Pc& pc = sim::InstallPc(Pc());
    CTAVIR_NetSet netSet;

    EXPECT_EQ(netSet.NetCfgSetup(0), 0);
    EXPECT_EQ(pc.driverSetup().components(), std::vector<std::u16string>{u"MS_TCPIP"});

    EXPECT_EQ(netSet.InstallDriverFiles(kFolder), 1);
    ASSERT_TRUE(pc.services().Find(kService).has_value());
    const sim::ServiceConfig& created = pc.services().At(*pc.services().Find(kService), 0).config;
    EXPECT_EQ(created.type, 1u);  // a kernel driver
    EXPECT_EQ(created.displayName, "TAVIR_CorvaneWD NDIS Protocol Driver");
    ASSERT_NE(pc.FindFile(kDriverCopy), nullptr);
    EXPECT_EQ(pc.FindFile(kDriverCopy)->bytes, "MZ driver");
    const sim::RegistryValue* service = pc.network().registry().Value(kClassKey, u"Service");
    ASSERT_NE(service, nullptr);
    EXPECT_EQ(service->bytes, std::string("C\0o\0r\0v\0a\0n\0e\0N\0d\0i\0s\0p\0r\0o\0t\0\0\0", 32));

    EXPECT_EQ(netSet.NetCfgSetup(1), 0);
    EXPECT_TRUE(HasComponent(pc));

    EXPECT_EQ(netSet.NetCfgSetup(0), 0);
    EXPECT_FALSE(HasComponent(pc));
    EXPECT_FALSE(pc.services().Find(kService).has_value());
    ASSERT_NE(pc.FindFile(kOemCopy), nullptr);
    EXPECT_EQ(pc.FindFile(kOemCopy)->bytes, InfBytes());
    ExpectAllClosed(pc);

    const std::vector<std::string> expected = {
        // The first removal finds nothing to remove.
        "CoCreateInstance", "AcquireWriteLock 5", "Initialize", "QueryNetCfgClass", "FindComponent",
        "Uninitialize", "ReleaseWriteLock",
        // The files and the service.
        "SetupCopyOEMInfW NOOVERWRITE", "SetupOpenInfFileW", "SetupOpenFileQueue",
        "SetupInstallFilesFromInfSectionW", "SetupInstallServicesFromInfSectionW",
        "SetupInitDefaultQueueCallback", "SetupCommitFileQueueW", "SetupDiOpenClassRegKey",
        "SetupInstallFromInfSectionW",
        // The component.
        "CoCreateInstance", "AcquireWriteLock 5", "Initialize", "QueryNetCfgClass", "Install",
        "Uninitialize", "ReleaseWriteLock",
        // Its removal.
        "CoCreateInstance", "AcquireWriteLock 5", "Initialize", "QueryNetCfgClass", "FindComponent",
        "DeInstall", "Uninitialize", "ReleaseWriteLock"};
    EXPECT_EQ(pc.driverSetup().calls(), expected);
}

struct OemCase {
    std::string name;
    sim::Scenario pc;
    std::vector<std::string> copies;
};

class OemCopyTest : public ::testing::TestWithParam<OemCase> {};

// The copy is asked again with REPLACEONLY exactly when the first ask says the file exists;
// no failure of the copy stops the install.
TEST_P(OemCopyTest, RetriesOnlyWhenTheCopyExists) {
    sim::Pc& pc = sim::InstallPc(GetParam().pc);
    EXPECT_EQ(CTAVIR_NetSet().InstallDriverFiles(kFolder), 1);
    std::vector<std::string> copies;
    for (const std::string& call : pc.driverSetup().calls()) {
        if (call.starts_with("SetupCopyOEMInfW")) {
            copies.push_back(call);
        }
    }
    EXPECT_EQ(copies, GetParam().copies);
    ASSERT_NE(pc.FindFile(kOemCopy), nullptr);
    EXPECT_EQ(pc.FindFile(u"C:\\WINDOWS\\inf\\oem1.inf"), nullptr);
    ExpectAllClosed(pc);
}

sim::Scenario WithOemCopy() {
    sim::Scenario pc = Pc();
    pc.files[kOemCopy] = sim::File{.bytes = InfBytes()};
    return pc;
}

sim::Scenario WithCopyRefused() {
    sim::Scenario pc = Failing("SetupCopyOEMInfW", 5);
    pc.files[kOemCopy] = sim::File{.bytes = InfBytes()};  // from an earlier run
    return pc;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OemCopyTest,
    ::testing::Values(OemCase{"FirstCopy", Pc(), {"SetupCopyOEMInfW NOOVERWRITE"}},
                      OemCase{"CopyThere",
                              WithOemCopy(),
                              {"SetupCopyOEMInfW NOOVERWRITE", "SetupCopyOEMInfW REPLACEONLY"}},
                      OemCase{"AccessDenied", WithCopyRefused(), {"SetupCopyOEMInfW NOOVERWRITE"}}),
    [](const auto& info) { return info.param.name; });

struct InstallFailure {
    std::string name;
    sim::Scenario pc;
    std::string lastCall;  // the last setup call made
    bool serviceCreated;
};

class InstallFailureTest : public ::testing::TestWithParam<InstallFailure> {};

// Each failed step ends the install with 0, closes what it opened, and the component install
// that follows fails silently.
TEST_P(InstallFailureTest, ReturnsZeroAndClosesEverything) {
    sim::Pc& pc = sim::InstallPc(GetParam().pc);
    CTAVIR_NetSet netSet;
    EXPECT_EQ(netSet.InstallDriverFiles(kFolder), 0);
    EXPECT_EQ(pc.driverSetup().calls().back(), GetParam().lastCall);
    EXPECT_EQ(pc.services().Find(kService).has_value(), GetParam().serviceCreated);
    ExpectAllClosed(pc);

    if (pc.FindFile(kOemCopy) == nullptr) {
        EXPECT_EQ(netSet.NetCfgSetup(1), 0);
        EXPECT_FALSE(HasComponent(pc));
        ExpectAllClosed(pc);
    }
}

sim::Scenario WithoutDriver() {
    sim::Scenario pc = Pc();
    pc.files.erase(std::u16string(kFolder) + u"TAVIR_CorvaneWD.sys");
    return pc;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, InstallFailureTest,
    ::testing::Values(
        InstallFailure{"MissingInf", Pc(false), "SetupOpenInfFileW", false},
        InstallFailure{"OpenInf", Failing("SetupOpenInfFileW", 2), "SetupOpenInfFileW", false},
        InstallFailure{"OpenQueue", Failing("SetupOpenFileQueue", 8), "SetupOpenFileQueue", false},
        InstallFailure{"QueueFiles", Failing("SetupInstallFilesFromInfSectionW", 5),
                       "SetupInstallFilesFromInfSectionW", false},
        InstallFailure{"Services", Failing("SetupInstallServicesFromInfSectionW", 1073),
                       "SetupInstallServicesFromInfSectionW", false},
        InstallFailure{"QueueCallback", Failing("SetupInitDefaultQueueCallback", 8),
                       "SetupInitDefaultQueueCallback", true},
        InstallFailure{"Commit", Failing("SetupCommitFileQueueW", 5), "SetupCommitFileQueueW",
                       true},
        InstallFailure{"MissingDriver", WithoutDriver(), "SetupCommitFileQueueW", true},
        InstallFailure{"ClassKey", Failing("SetupDiOpenClassRegKey", 5), "SetupDiOpenClassRegKey",
                       true},
        InstallFailure{"ClassKeyValues", Failing("SetupInstallFromInfSectionW", 5),
                       "SetupInstallFromInfSectionW", true}),
    [](const auto& info) { return info.param.name; });

struct EngineCase {
    std::string name;
    sim::Scenario pc;
    std::vector<std::string> calls;  // of the install
    bool installed;
};

class NetCfgSetupTest : public ::testing::TestWithParam<EngineCase> {};

// After the files are in place: every failure of the engine is swallowed, everything taken is
// given back, and COM is left as found.
TEST_P(NetCfgSetupTest, SwallowsFailuresAndReleasesEverything) {
    sim::Pc& pc = sim::InstallPc(GetParam().pc);
    CTAVIR_NetSet netSet;
    ASSERT_EQ(netSet.InstallDriverFiles(kFolder), 1);
    pc.driverSetup().calls().clear();
    uint64_t before = pc.now();

    EXPECT_EQ(netSet.NetCfgSetup(1), 0);
    EXPECT_EQ(pc.driverSetup().calls(), GetParam().calls);
    EXPECT_EQ(HasComponent(pc), GetParam().installed);
    ExpectAllClosed(pc);
    EXPECT_EQ(pc.now() - before, GetParam().pc.driverSetup.writeLockHeldByOther ? 5u : 0u);
}

sim::Scenario LockHeldByOther() {
    sim::Scenario pc = Pc();
    pc.driverSetup.writeLockHeldByOther = true;
    return pc;
}

const std::vector<std::string> kFullInstall = {
    "CoCreateInstance", "AcquireWriteLock 5", "Initialize",      "QueryNetCfgClass",
    "Install",          "Uninitialize",       "ReleaseWriteLock"};

INSTANTIATE_TEST_SUITE_P(
    Cases, NetCfgSetupTest,
    ::testing::Values(
        EngineCase{"Installs", Pc(), kFullInstall, true},
        EngineCase{"LockHeldByOther", LockHeldByOther(), kFullInstall, false},
        EngineCase{
            "NotRegistered", Failing("CoCreateInstance", 0x80040154), {"CoCreateInstance"}, false},
        EngineCase{
            "NoLockInterface", Failing("QueryInterface", 0x80004002), {"CoCreateInstance"}, false},
        EngineCase{"NoClass",
                   Failing("QueryNetCfgClass", 0x80004005),
                   {"CoCreateInstance", "AcquireWriteLock 5", "Initialize", "QueryNetCfgClass",
                    "Uninitialize", "ReleaseWriteLock"},
                   false},
        EngineCase{"InstallFails", Failing("Install", 0x800F0203), kFullInstall, false}),
    [](const auto& info) { return info.param.name; });

TEST(DriverInstallTest, RemovalThatFailsLeavesTheDriver) {
    sim::Pc& pc = sim::InstallPc(Failing("DeInstall", 0x80004005));
    CTAVIR_NetSet netSet;
    ASSERT_EQ(netSet.InstallDriverFiles(kFolder), 1);
    netSet.NetCfgSetup(1);

    EXPECT_EQ(netSet.NetCfgSetup(0), 0);
    EXPECT_TRUE(HasComponent(pc));
    EXPECT_TRUE(pc.services().Find(kService).has_value());
    ExpectAllClosed(pc);
}

TEST(DriverInstallTest, RemovalStopsADriverLeftRunningByAnEarlierRun) {
    sim::Scenario earlier = Pc();
    earlier.files[kOemCopy] = sim::File{.bytes = InfBytes()};
    earlier.driverSetup.components.push_back(kComponent);
    earlier.services = {{.name = "CorvaneNdisprot", .type = 1, .running = true}};
    sim::Pc& pc = sim::InstallPc(earlier);
    CTAVIR_NetSet netSet;

    EXPECT_EQ(netSet.NetCfgSetup(0), 0);
    EXPECT_FALSE(HasComponent(pc));
    EXPECT_FALSE(pc.services().Find(kService).has_value());
    EXPECT_EQ(pc.services().At(0, 0).state, 1u);  // stopped before it was deleted
    ExpectAllClosed(pc);
}

TEST(DriverInstallTest, ScenarioFileDescribesTheDriverSetup) {
    sim::Scenario pc = tools::ParseScenario(R"({"driverSetup": {
        "infDirectory": "C:\\WINNT\\inf", "components": ["TAVIR_Corvane_Ndisprot"],
        "writeLockHeldByOther": true,
        "failingCalls": {"SetupCommitFileQueueW": 5, "CoCreateInstance": "0x80040154"}}})")
                           .scenario;
    EXPECT_EQ(pc.driverSetup.infDirectory, u"C:\\WINNT\\inf");
    EXPECT_EQ(pc.driverSetup.components, std::vector<std::u16string>{kComponent});
    EXPECT_TRUE(pc.driverSetup.writeLockHeldByOther);
    EXPECT_EQ(pc.driverSetup.failingCalls,
              (std::map<std::string, uint32_t>{{"CoCreateInstance", 0x80040154u},
                                               {"SetupCommitFileQueueW", 5u}}));

    sim::Pc& running = sim::InstallPc(pc);
    EXPECT_TRUE(HasComponent(running));
}

}  // namespace
}  // namespace corvane
