// A scenario file's expectations on the simulated PC after the run: what holds, and the line
// each unmet one adds.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/ndis_802_11.h"
#include "tools/scenario/expectation.h"
#include "tools/scenario/final_state.h"
#include "tools/scenario/scenario_file.h"
#include "tools/scenario/vortau_run.h"

namespace corvane::tools {
namespace {

// A PC with something of each kind; `o*.inf` must not reach into the folder below. Without
// the driver's files beside VORTAU the run installs nothing, so the PC ends as described.
const std::string kPc = R"(
  "driverFiles": false,
  "services": [{"name": "CorvaneNdisprot", "running": true}, {"name": "Spooler"}],
  "files": {"C:\\WINDOWS\\inf\\oem3.inf": {}, "C:\\WINDOWS\\inf\\oem3.PNF": {},
            "C:\\WINDOWS\\inf\\old\\x.inf": {}},
  "network": {
    "registry": {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane": {
      "Mode": {"dword": 2}, "Name": {"sz": "x"}, "List": {"multiSz": ["a", "b"]}}},
    "netDevices": [{"driverKey": "{4D36E972}\\0001"},
                   {"driverKey": "{4D36E972}\\0002", "enabled": false}],
    "tcpipBindingPaths": [{"token": "ms_tcpip->{AB12}"}]},
  "driverSetup": {"components": ["MS_TCPIP", "corvane_ndisprot"]})";

struct Case {
    const char* name;
    std::string expect;
    std::vector<std::string> problems;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

const Case kCases[] = {
    {"AllMet",
     R"("services": {"corvanendisprot": "running", "Spooler": "stopped", "Gone": "absent"},
        "files": {"c:/windows/INF/OEM*.inf": "present", "C:\\WINDOWS\\inf\\oem*.cat": "absent",
                  "C:\\WINDOWS\\inf\\oem3.pnf": "present"},
        "components": ["CORVANE_NDISPROT", "ms_tcpip"],
        "registry": {"hkey_local_machine\\software\\corvane": {
          "mode": {"dword": 2}, "Name": {"sz": "x"}, "List": {"multiSz": ["a", "b"]},
          "Gone": null},
          "HKEY_LOCAL_MACHINE\\SOFTWARE\\Nobody": {"Any": null}},
        "netDevices": [{"driverKey": "{4d36e972}\\0001", "enabled": true},
                       {"driverKey": "{4D36E972}\\0002", "enabled": false}],
        "tcpipBindingPaths": [{"token": "MS_TCPIP->{ab12}"}],
        "applies": 0)",
     {}},
    {"Services",
     R"("services": {"CorvaneNdisprot": "absent", "Spooler": "running", "Gone": "stopped"})",
     {"service CorvaneNdisprot: running, expected absent", "service Gone: absent, expected stopped",
      "service Spooler: stopped, expected running"}},
    {"Files",
     R"("files": {"C:\\WINDOWS\\inf\\o*.inf": "absent", "C:\\WINDOWS\\inf\\oem*.cat": "present",
                  "C:\\WINDOWS\\inf\\oem3.pnf": "absent"})",
     {"file C:\\WINDOWS\\inf\\o*.inf: present [C:\\WINDOWS\\INF\\OEM3.INF], expected absent",
      "file C:\\WINDOWS\\inf\\oem*.cat: absent, expected present",
      "file C:\\WINDOWS\\inf\\oem3.pnf: present, expected absent"}},
    {"Components",
     R"("components": ["MS_TCPIP", "MS_TCPIP"])",
     {"components: [MS_TCPIP, corvane_ndisprot], expected [MS_TCPIP, MS_TCPIP]"}},
    {"Registry",
     R"("registry": {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane": {
          "Mode": {"dword": 1}, "Name": {"multiSz": ["x"]}, "List": null,
          "Gone": {"sz": "y"}}})",
     {"registry HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane value Gone: absent, expected sz \"y\"",
      "registry HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane value List: multiSz [\"a\", \"b\"], "
      "expected absent",
      "registry HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane value Mode: dword 2, expected dword 1",
      "registry HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvane value Name: sz \"x\", expected multiSz "
      "[\"x\"]"}},
    {"NetDevicesAndBindings",
     R"("netDevices": [{"driverKey": "{4D36E972}\\0001"}, {"driverKey": "{4D36E972}\\0002"}],
        "tcpipBindingPaths": [], "applies": 1)",
     {"net devices: [{4D36E972}\\0001 enabled, {4D36E972}\\0002 disabled], expected "
      "[{4D36E972}\\0001 enabled, {4D36E972}\\0002 enabled]",
      "tcpip binding paths: [ms_tcpip->{AB12} enabled], expected []",
      "INetCfg::Apply calls: 0, expected 1"}},
};

class FinalStateTest : public ::testing::TestWithParam<Case> {};

TEST_P(FinalStateTest, ReportsWhatDiffers) {
    ScenarioFile file = ParseScenario("{" + kPc + R"(, "expect": {)" + GetParam().expect + "}}");
    EXPECT_EQ(UnmetExpectations(RunVortau(file.scenario), file.expect), GetParam().problems);
}

INSTANTIATE_TEST_SUITE_P(Keys, FinalStateTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The state is read when the run ends, not taken from the scenario.
TEST(FinalStateOfTest, SeesWhatTheRunChanged) {
    ScenarioFile file = ParseScenario("{" + kPc + R"(, "expect": {
        "services": {"CorvaneNdisprot": "running"},
        "files": {"C:\\WINDOWS\\inf\\oem9.inf": "present"}, "applies": 1}})");
    SimSession session(file.scenario, false);
    sim::Pc& pc = session.pc();
    pc.services().At(*pc.services().Find("CorvaneNdisprot"), pc.now()).state =
        2;  // SERVICE_START_PENDING
    pc.PutFile(u"C:\\WINDOWS\\inf\\oem9.inf", sim::File{});
    ++pc.network().applies();
    std::vector<std::string> problems;
    AddUnmetFinalState(FinalStateOf(pc), file.expect.finalState, problems);
    EXPECT_EQ(problems,
              std::vector<std::string>{"service CorvaneNdisprot: state 2, expected running"});
}

// A radio the expectation does not name must end as it began, with the profiles it had.
TEST(FinalStateOfTest, ARadioLeftChangedIsReportedUnlessExpected) {
    ScenarioFile file = ParseScenario(R"({"network": {"adapters": [
        {"name": "{A}", "radio": {"ssid": "HomeAP", "networks": [
            {"ssid": "HomeAP", "bssid": "00-1A-2B-3C-4D-01"}]}},
        {"name": "{B}", "radio": {"ssid": "Office", "authMode": 4}}]},
      "expect": {"radios": {"{B}": {"ssid": "", "infrastructureMode": 0, "authMode": 4,
                                    "encryption": 1}}}})");
    SimSession session(file.scenario, false);
    sim::Pc& pc = session.pc();
    // A test profile left behind on {A}.
    pc.wlan().profiles("{A}").push_back(
        sim::ReadProfile(sim::MakeProfileXml(u"TAVIRSSID_1", "TAVIRSSID_1", true, false, false)));
    const uint32_t adHoc = 0;
    pc.network().FindRadio("{A}")->Set(platform::kOid80211InfrastructureMode,
                                       std::string(reinterpret_cast<const char*>(&adHoc), 4),
                                       pc.now());
    std::vector<std::string> problems;
    AddUnmetFinalState(FinalStateOf(pc), file.expect.finalState, problems);
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "radio {A}: ssid \"\" mode 0 auth 0 encryption 1, expected ssid "
                            "\"HomeAP\" mode 1 auth 0 encryption 1",
                            "radio {B}: ssid \"Office\" mode 1 auth 4 encryption 1, expected ssid "
                            "\"\" mode 0 auth 4 encryption 1",
                            "WLAN profiles of {A}: [TAVIRSSID_1], expected []"}));
}

TEST(FinalStateParseTest, RejectsWhatItCannotUse) {
    for (const char* expect : {
             R"({"services": {"Spooler": "paused"}})",
             R"({"files": {"C:\\x": "maybe"}})",
             R"({"files": {"C:\\*\\x.inf": "present"}})",
             R"({"registry": {"HKEY_LOCAL_MACHINE\\SOFTWARE": {"x": {"binary": "00"}}}})",
         }) {
        EXPECT_THROW(ParseScenario(std::string(R"({"expect": )") + expect + "}"), std::exception)
            << expect;
    }
}

}  // namespace
}  // namespace corvane::tools
