// Cases of checks 1 and 2 beyond the scenario files: failing queries and later systems.

#include <gtest/gtest.h>

#include "checker/checks/os_version.h"
#include "checker/halvex_app.h"
#include "tests/host/checker/sim_pc.h"

namespace corvane {
namespace {

using testing::DefaultPc;
using testing::TraceTexts;

struct OsCase {
    std::string name;
    sim::Scenario pc;
    int osVersion;
    int osStatus;
};

sim::Scenario Pc(uint32_t major, uint32_t minor, uint8_t productType = 1, bool wow64 = false) {
    sim::Scenario pc = DefaultPc();
    pc.majorVersion = major;
    pc.minorVersion = minor;
    pc.productType = productType;
    pc.wow64 = wow64;
    return pc;
}

sim::Scenario Modified(sim::Scenario pc, void (*change)(sim::Scenario&)) {
    change(pc);
    return pc;
}

class CheckOsSupportTest : public ::testing::TestWithParam<OsCase> {};

TEST_P(CheckOsSupportTest, ClassifiesTheSystem) {
    tools::SimSession session(GetParam().pc);
    EXPECT_EQ(GetOSVersion(), GetParam().osVersion);
    CHalvexApp app;
    EXPECT_EQ(app.CheckOSSupport(), GetParam().osStatus == 2);
    EXPECT_EQ(app.m_nOSStatus, GetParam().osStatus);
    EXPECT_EQ(app.m_bPrecheckFailed, GetParam().osStatus != 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckOsSupportTest,
    ::testing::Values(
        OsCase{"Windows7IsTreatedAsVista", Pc(6, 1), 3, 2},
        OsCase{"DomainControllerOfVistaEra", Pc(6, 0, 2), -1, 0},
        OsCase{"FutureWorkstation", Pc(10, 0), 3, 2}, OsCase{"FutureMinorOfFive", Pc(5, 3), -1, 0},
        OsCase{"XpUnderWow64", Pc(5, 1, 1, true), 2, 0},
        // Early XP has no IsWow64Process: it counts as 32-bit.
        OsCase{"XpWithoutIsWow64Process",
               Modified(Pc(5, 1, 1, true), [](sim::Scenario& s) { s.hasIsWow64Process = false; }),
               2, 2},
        OsCase{"VersionQueryFails",
               Modified(Pc(5, 1), [](sim::Scenario& s) { s.versionQueryFails = true; }), -1, 0}),
    [](const auto& info) { return info.param.name; });

TEST(CheckAdminTest, OnlyANormalStartAsksForElevation) {
    sim::Scenario pc = DefaultPc();
    pc.administrator = false;
    for (bool adminStart : {false, true}) {
        tools::SimSession session(pc);
        CHalvexApp app;
        EXPECT_FALSE(app.CheckAdmin(adminStart));
        EXPECT_EQ(app.m_nAdminStatus, 0);
        EXPECT_TRUE(app.m_bPrecheckFailed);
        EXPECT_EQ(app.m_bNeedElevation, !adminStart);
        EXPECT_EQ(TraceTexts(session), std::vector<std::string>{"VORTAU CheckAdmin Check NG!!\n"});
    }
}

}  // namespace
}  // namespace corvane
