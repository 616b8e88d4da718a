// CServiceControl against Wine's own Service Control Manager. run.sh registers the services
// (all running corvane-test-service.exe) before this program runs:
//   cvt_slow   start and stop pending 1.5 s
//   cvt_fail   start pending 0.5 s, then stopped
//   cvt_bus    with dependants cvt_early and cvt_late, registered in that order
//   cvt_crowd  with 12 running dependants whose names need more than 576 bytes
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "netconfig/service_control.h"
#include "netconfig/unique_service.h"
#include "platform/services.h"

namespace corvane {
namespace {

// The dependants the manager lists for `name`, in its order.
std::vector<std::string> ListedDependants(const char* name) {
    UniqueServiceHandle manager(platform::OpenSCManagerA(platform::kScManagerAllAccess));
    UniqueServiceHandle service(
        platform::OpenServiceA(manager.Get(), name, platform::kServiceAllAccess));
    std::vector<platform::EnumServiceStatusA> entries(256);
    uint32_t needed = 0;
    uint32_t count = 0;
    std::vector<std::string> names;
    if (platform::EnumDependentServicesA(
            service.Get(), platform::kServiceActive | platform::kServiceInactive, entries.data(),
            static_cast<uint32_t>(entries.size() * sizeof(entries[0])), &needed, &count)) {
        for (uint32_t i = 0; i < count; ++i) {
            names.push_back(entries[i].lpServiceName);
        }
    }
    return names;
}

constexpr char kNoDependants[] = "this Wine's EnumDependentServices lists no dependants";

TEST(ServiceControlOnWine, StartAndStopWaitWhilePendingAndIsActiveIgnoresCase) {
    CServiceControl control;
    EXPECT_FALSE(control.IsActive(platform::kServiceWin32, "cvt_slow"));
    EXPECT_EQ(control.Start("cvt_slow", 0), 1);
    EXPECT_TRUE(control.IsActive(platform::kServiceWin32, "CVT_SLOW"));
    EXPECT_FALSE(control.IsActive(platform::kServiceDriver, "cvt_slow"));
    EXPECT_EQ(control.Start("Cvt_Slow", 1), 1);  // refused: already running
    EXPECT_EQ(control.Stop("cvt_slow", 1), 1);
    EXPECT_FALSE(control.IsActive(platform::kServiceWin32, "cvt_slow"));
    EXPECT_EQ(control.Stop("cvt_slow", 0), 1);  // refused: not running
}

TEST(ServiceControlOnWine, AcceptedStartThatEndsStoppedGivesZero) {
    CServiceControl control;
    EXPECT_EQ(control.Start("cvt_fail", 1), 0);
    EXPECT_FALSE(control.IsActive(platform::kServiceWin32, "cvt_fail"));
}

TEST(ServiceControlOnWine, MissingServiceGivesZeroAndFalse) {
    CServiceControl control;
    EXPECT_EQ(control.Start("cvt_none", 1), 0);
    EXPECT_EQ(control.Stop("cvt_none", 1), 0);
    EXPECT_FALSE(control.IsActive(platform::kServiceWin32, "cvt_none"));
}

TEST(ServiceControlOnWine, DependantsStartAndStopWithTheService) {
    if (ListedDependants("cvt_bus").empty()) {
        GTEST_SKIP() << kNoDependants;
    }
    CServiceControl control;
    EXPECT_EQ(control.Start("cvt_bus", 1), 1);
    for (const char* name : {"cvt_bus", "cvt_early", "cvt_late"}) {
        EXPECT_TRUE(control.IsActive(platform::kServiceWin32, name)) << name;
    }
    EXPECT_EQ(control.Stop("cvt_bus", 1), 1);
    for (const char* name : {"cvt_bus", "cvt_early", "cvt_late"}) {
        EXPECT_FALSE(control.IsActive(platform::kServiceWin32, name)) << name;
    }
}

TEST(ServiceControlOnWine, DependantsBeyondTheBufferAreLeftRunning) {
    if (ListedDependants("cvt_crowd").empty()) {
        GTEST_SKIP() << kNoDependants;
    }
    CServiceControl control;
    // No dependant is stopped; the manager then refuses to stop the service they need.
    EXPECT_EQ(control.Stop("cvt_crowd", 1), 1);
    EXPECT_TRUE(
        control.IsActive(platform::kServiceWin32, "cvt_crowd_dependant_with_a_long_name_01"));
}

}  // namespace
}  // namespace corvane
