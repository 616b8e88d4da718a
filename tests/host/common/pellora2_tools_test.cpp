#include "common/pellora2_tools.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/sim/code_page.h"
#include "platform/sim/scenario.h"
#include "tests/host/common/ring.h"
#include "tools/scenario/vortau_run.h"

namespace corvane {
namespace {

// Windows 2000 keeps its system files in WINNT, not WINDOWS.
constexpr char16_t kSystemDirectory[] = u"C:\\WINNT\\system32";

sim::File Versioned(uint32_t ms, uint32_t ls) {
    return sim::File{.version = sim::FileVersion{.productVersionMS = ms, .productVersionLS = ls}};
}

sim::Scenario Windows2000(std::optional<sim::File> advapi32, std::optional<sim::File> seclogon) {
    sim::Scenario scenario;
    scenario.majorVersion = 5;
    scenario.minorVersion = 0;
    scenario.buildNumber = 2195;
    scenario.servicePack = u"Service Pack 4";
    scenario.systemDirectory = kSystemDirectory;
    std::u16string folder = std::u16string(kSystemDirectory) + u"\\";
    if (advapi32) {
        scenario.files[folder + u"Advapi32.dll"] = *advapi32;
    }
    if (seclogon) {
        scenario.files[folder + u"Seclogon.dll"] = *seclogon;
    }
    return scenario;
}

TEST(CPellora2Tools, IsW2kSP4RU1DecidesFromBothFilesAndLogsEachVersionRead) {
    const sim::File noVersion{.bytes = "MZ"};
    struct Case {
        const char* what;
        std::optional<sim::File> advapi32;
        std::optional<sim::File> seclogon;
        bool expected;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"Advapi32 one build too old",
         Versioned(0x00050000, 0x08931B7D),  // 5.0.2195.7037
         Versioned(0x00050000, 0x08931BBC),  // 5.0.2195.7100
         false,
         {"VORTA_COMMON Advapi32.dll Ver:5.0.2195.7037"}},
        {"both exactly at the minimum",
         Versioned(0x00050000, 0x08931B7E),
         Versioned(0x00050000, 0x08931B5B),
         true,
         {"VORTA_COMMON Advapi32.dll Ver:5.0.2195.7038",
          "VORTA_COMMON Seclogon.dll Ver:5.0.2195.7003"}},
        {"Seclogon one build too old",
         Versioned(0x00050000, 0x08931B7E),
         Versioned(0x00050000, 0x08931B5A),
         false,
         {"VORTA_COMMON Advapi32.dll Ver:5.0.2195.7038",
          "VORTA_COMMON Seclogon.dll Ver:5.0.2195.7002"}},
        {"a later system's Advapi32 passes, Seclogon is still tested",
         Versioned(0x00050001, 0x0A280000),  // 5.1.2600.0
         Versioned(0x00040000, 0xFFFFFFFF),
         false,
         {"VORTA_COMMON Advapi32.dll Ver:5.1.2600.0000",
          "VORTA_COMMON Seclogon.dll Ver:4.0.65535.65535"}},
        {"a later system's files pass whatever their build",
         Versioned(0x00050001, 0x0A280000),
         Versioned(0x00050001, 0x00000000),
         true,
         {"VORTA_COMMON Advapi32.dll Ver:5.1.2600.0000",
          "VORTA_COMMON Seclogon.dll Ver:5.1.0000.0000"}},
        {"an older major version fails however high its build",
         Versioned(0x00040000, 0xFFFFFFFF),
         Versioned(0x00050000, 0x08931B5B),
         false,
         {"VORTA_COMMON Advapi32.dll Ver:4.0.65535.65535"}},
        {"Seclogon absent",
         Versioned(0x00050000, 0x08931B7E),
         std::nullopt,
         false,
         {"VORTA_COMMON Advapi32.dll Ver:5.0.2195.7038"}},
        {"Advapi32 without a version resource",
         noVersion,
         Versioned(0x00050000, 0x08931B5B),
         false,
         {}},
        {"Advapi32 absent", std::nullopt, Versioned(0x00050000, 0x08931B5B), false, {}},
        {"build and revision zero-padded",
         Versioned(0x00050000, 0x00010002),
         Versioned(0x00050000, 0x08931B5B),
         false,
         {"VORTA_COMMON Advapi32.dll Ver:5.0.0001.0002"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tools::SimSession session(Windows2000(c.advapi32, c.seclogon));
        test::SetPrefixes(false, false);
        EXPECT_EQ(CPellora2Tools::IsW2kSP4RU1(), c.expected);
        EXPECT_EQ(session.Trace(), c.lines);
    }
}

TEST(CPellora2Tools, GetFileVersionClearsBothWordsWhenItCannotRead) {
    sim::Scenario scenario = Windows2000(Versioned(0x00050000, 0x08931B7E), sim::File{});
    scenario.files[u"C:\\WINDOWS\\system32\\Elsewhere.dll"] = Versioned(0x00050001, 0);
    struct Case {
        const char16_t* fileName;
        bool read;
        uint32_t ms;
        uint32_t ls;
    };
    const Case cases[] = {
        {u"Advapi32.dll", true, 0x00050000, 0x08931B7E},
        {u"ADVAPI32.DLL", true, 0x00050000, 0x08931B7E},
        {u"Seclogon.dll", false, 0, 0},  // no version resource
        {u"Missing.dll", false, 0, 0},
        {u"Elsewhere.dll", false, 0, 0},  // not in the system directory
    };
    tools::SimSession session(scenario);
    for (const Case& c : cases) {
        SCOPED_TRACE(sim::ToUtf8(c.fileName));
        uint32_t ms = 0xDEADBEEF;
        uint32_t ls = 0xDEADBEEF;
        EXPECT_EQ(CPellora2Tools::GetFileVersion(c.fileName, ms, ls), c.read);
        EXPECT_EQ(ms, c.ms);
        EXPECT_EQ(ls, c.ls);
    }
}

}  // namespace
}  // namespace corvane
