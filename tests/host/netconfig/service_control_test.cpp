#include "netconfig/service_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/kernel.h"
#include "platform/services.h"
#include "platform/sim/pc.h"

namespace corvane {
namespace {

using Requests = std::vector<std::string>;

sim::ServiceConfig Service(const std::string& name, bool running,
                           std::vector<std::string> dependants = {}) {
    return sim::ServiceConfig{.name = name,
                              .displayName = name + " display",
                              .running = running,
                              .dependants = std::move(dependants)};
}

sim::Pc& Install(std::vector<sim::ServiceConfig> services, bool administrator = true) {
    sim::Scenario scenario;
    scenario.administrator = administrator;
    scenario.services = std::move(services);
    return sim::InstallPc(std::move(scenario));
}

uint32_t StateOf(sim::Pc& pc, const std::string& name) {
    return pc.services().At(*pc.services().Find(name), pc.now()).state;
}

TEST(CServiceControl, StartAndStopEndInTheStateTheManagerReports) {
    struct Case {
        const char* what;
        sim::ServiceConfig service;
        bool administrator;
        bool start;
        int expected;
        uint32_t finalState;
        Requests requests;
        uint64_t elapsedMs;
    };
    sim::ServiceConfig slow = Service("slow", false);
    slow.startPendingMs = 1200;
    sim::ServiceConfig failing = Service("failing", false);
    failing.startPendingMs = 700;
    failing.startFails = true;
    sim::ServiceConfig stuckStart = Service("stuck", false);
    stuckStart.startPendingMs = sim::kPendingForever;
    sim::ServiceConfig stuckStop = Service("stuck", true);
    stuckStop.stopPendingMs = sim::kPendingForever;
    sim::ServiceConfig denied = Service("denied", false);
    denied.accessDenied = true;
    const Case cases[] = {
        {"start, pending 1.2 s",
         slow,
         true,
         true,
         1,
         platform::kServiceRunning,
         {"start slow"},
         1500},
        {"start of a running service is refused",
         Service("up", true),
         true,
         true,
         1,
         platform::kServiceRunning,
         {"start up"},
         0},
        {"start accepted, then stopped",
         failing,
         true,
         true,
         0,
         platform::kServiceStopped,
         {"start failing"},
         1000},
        {"start pending forever gives up after 30 s",
         stuckStart,
         true,
         true,
         0,
         platform::kServiceStartPending,
         {"start stuck"},
         30000},
        {"stop pending forever gives up after 30 s",
         stuckStop,
         true,
         false,
         0,
         platform::kServiceStopPending,
         {"stop stuck"},
         30000},
        {"stop of a stopped service is refused",
         Service("down", false),
         true,
         false,
         1,
         platform::kServiceStopped,
         {"stop down"},
         0},
        {"stop", Service("up", true), true, false, 1, platform::kServiceStopped, {"stop up"}, 0},
        {"service access denied", denied, true, true, 0, platform::kServiceStopped, {}, 0},
        {"manager denied to a user",
         Service("up", true),
         false,
         false,
         0,
         platform::kServiceRunning,
         {},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::Pc& pc = Install({c.service}, c.administrator);
        CServiceControl control;
        const char* name = c.service.name.c_str();
        EXPECT_EQ(c.start ? control.Start(name, 1) : control.Stop(name, 1), c.expected);
        EXPECT_EQ(StateOf(pc, c.service.name), c.finalState);
        EXPECT_EQ(pc.services().requests(), c.requests);
        EXPECT_EQ(pc.now(), c.elapsedMs);
        EXPECT_EQ(pc.services().openHandles(), 0u);
    }
}

TEST(CServiceControl, MissingServiceGivesZeroAndFalse) {
    sim::Pc& pc = Install({Service("wzcsvc", true)});
    CServiceControl control;
    EXPECT_EQ(control.Start("nosuch", 1), 0);
    EXPECT_EQ(control.Stop("nosuch", 1), 0);
    EXPECT_FALSE(control.IsActive(platform::kServiceWin32, "nosuch"));
    EXPECT_TRUE(pc.services().requests().empty());
    EXPECT_EQ(pc.services().openHandles(), 0u);
}

// "bus" has two dependants; the manager lists "late" (started last) first.
std::vector<sim::ServiceConfig> Bus(bool running) {
    return {Service("bus", running, {"late", "early"}), Service("early", running),
            Service("late", running)};
}

TEST(CServiceControl, DependantsStartInStartOrderAndStopLastStartedFirst) {
    sim::Pc& pc = Install(Bus(false));
    CServiceControl control;
    // Starting "early" brings "bus" up first; the service's own start is then refused.
    EXPECT_EQ(control.Start("BUS", 1), 1);
    EXPECT_EQ(pc.services().requests(), (Requests{"start early", "start late", "start bus"}));
    for (const char* name : {"bus", "early", "late"}) {
        EXPECT_EQ(StateOf(pc, name), platform::kServiceRunning) << name;
    }

    pc.services().requests().clear();
    EXPECT_EQ(control.Stop("bus", 1), 1);
    EXPECT_EQ(pc.services().requests(), (Requests{"stop late", "stop early", "stop bus"}));
    EXPECT_EQ(StateOf(pc, "bus"), platform::kServiceStopped);

    // Without dependants only the service itself is asked, and the manager refuses to stop
    // one that others still need.
    sim::Pc& again = Install(Bus(true));
    EXPECT_EQ(control.Stop("bus", 0), 1);
    EXPECT_EQ(again.services().requests(), (Requests{"stop bus"}));
    EXPECT_EQ(StateOf(again, "bus"), platform::kServiceRunning);
}

// Sixteen active dependants with long names need more than the 576-byte buffer.
std::vector<sim::ServiceConfig> CrowdedBus() {
    std::vector<sim::ServiceConfig> services{Service("bus", true)};
    for (int i = 0; i < 16; ++i) {
        std::string name = "dependant-with-a-long-name-" + std::to_string(i);
        services[0].dependants.push_back(name);
        services.push_back(Service(name, true));
    }
    return services;
}

TEST(CServiceControl, DependantsBeyondTheBufferAreLeftAlone) {
    sim::Pc& pc = Install(CrowdedBus());
    CServiceControl control;
    EXPECT_EQ(control.Stop("bus", 1), 1);
    EXPECT_EQ(pc.services().requests(), (Requests{"stop bus"}));
    EXPECT_EQ(StateOf(pc, "bus"), platform::kServiceRunning);
    EXPECT_EQ(pc.services().openHandles(), 0u);
}

TEST(SimulatedServiceManager, DependantsListKeepsEntriesAndNamesInTheCallersBuffer) {
    Install(CrowdedBus());
    platform::ServiceHandle manager = platform::OpenSCManagerA(platform::kScManagerAllAccess);
    platform::ServiceHandle bus =
        platform::OpenServiceA(manager, "BUS", platform::kServiceAllAccess);
    ASSERT_NE(bus, nullptr);
    alignas(platform::EnumServiceStatusA) unsigned char small[576];
    uint32_t needed = 0;
    uint32_t count = 99;
    EXPECT_FALSE(platform::EnumDependentServicesA(
        bus, platform::kServiceActive, reinterpret_cast<platform::EnumServiceStatusA*>(small),
        sizeof(small), &needed, &count));
    EXPECT_EQ(platform::GetLastError(), platform::kErrorMoreData);
    EXPECT_EQ(count, 0u);
    // Each entry, its name (29 or 30 bytes with the terminator) and its display name.
    uint32_t names = 10 * (29 + 37) + 6 * (30 + 38);
    EXPECT_EQ(needed, 16 * sizeof(platform::EnumServiceStatusA) + names);

    const uint32_t size = needed;
    std::vector<unsigned char> big(size);  // heap memory suits the entries' alignment
    auto* entries = reinterpret_cast<platform::EnumServiceStatusA*>(big.data());
    ASSERT_TRUE(platform::EnumDependentServicesA(bus, platform::kServiceActive, entries, size,
                                                 &needed, &count));
    ASSERT_EQ(count, 16u);
    const char* end = reinterpret_cast<const char*>(big.data()) + size;
    for (uint32_t i = 0; i < count; ++i) {
        EXPECT_EQ(std::string(entries[i].lpServiceName),
                  "dependant-with-a-long-name-" + std::to_string(i));
        EXPECT_GE(entries[i].lpServiceName, reinterpret_cast<const char*>(entries + count));
        EXPECT_LT(entries[i].lpDisplayName, end);
        EXPECT_EQ(entries[i].ServiceStatus.dwCurrentState, platform::kServiceRunning);
    }
    EXPECT_TRUE(platform::CloseServiceHandle(bus));
    EXPECT_TRUE(platform::CloseServiceHandle(manager));
}

TEST(CServiceControl, IsActiveMatchesNamesWithoutCaseAmongServicesOfTheType) {
    std::vector<sim::ServiceConfig> services = CrowdedBus();  // a list far beyond one entry
    services.push_back(Service("wzcsvc", true));
    services.push_back(Service("stopped", false));
    sim::ServiceConfig driver = Service("CorvaneNdisprot", true);
    driver.type = 0x01;  // SERVICE_KERNEL_DRIVER
    services.push_back(driver);
    struct Case {
        uint32_t type;
        const char* name;
        bool expected;
    };
    const Case cases[] = {
        {platform::kServiceWin32, "WZCSVC", true},
        {platform::kServiceWin32, "wzcsvc", true},
        {platform::kServiceWin32, "stopped", false},
        {platform::kServiceWin32, "wzcsv", false},
        {platform::kServiceWin32, "corvanendisprot", false},
        {platform::kServiceDriver, "corvanendisprot", true},
        {platform::kServiceDriver, "wzcsvc", false},
    };
    sim::Pc& pc = Install(services);
    CServiceControl control;
    for (const Case& c : cases) {
        EXPECT_EQ(control.IsActive(c.type, c.name), c.expected) << c.name;
    }
    EXPECT_EQ(pc.services().openHandles(), 0u);

    Install(services, false);
    EXPECT_FALSE(control.IsActive(platform::kServiceWin32, "wzcsvc"));
}

}  // namespace
}  // namespace corvane
