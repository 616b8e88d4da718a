// The vendor utility control on simulated PCs: what Enter closes and stops, what Leave brings
// back, and what both leave alone.

#include "checker/checks/process_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/sim/code_page.h"
#include "tests/host/checker/utility_pc.h"
#include "tools/scenario/final_state.h"
#include "tools/scenario/scenario_file.h"

namespace corvane {
namespace {

using testing::ArgumentsOfRunning;
using testing::Install;
using testing::kUserRoot;
using testing::kVendorFolder;
using testing::LogTexts;
using testing::Running;
using testing::RunValue;
using testing::Shortcut;

constexpr char16_t kUtility[] = u"C:\\Program Files\\Vendor\\WN511T.exe";
constexpr char16_t kNetgear[] = u"Netgear Client Utility";

void ExpectNothingHeld(sim::Pc& pc) {
    EXPECT_EQ(pc.CountObjects<sim::ProcessHandle>(), 0u);
    EXPECT_EQ(pc.CountObjects<sim::ThreadHandle>(), 0u);
    EXPECT_EQ(pc.CountObjects<sim::ToolhelpSnapshot>(), 0u);
    EXPECT_EQ(pc.CountObjects<sim::FileSearch>(), 0u);
    EXPECT_TRUE(pc.shellLinks().empty());
    EXPECT_EQ(pc.network().registry().openKeys(), 0u);
    EXPECT_EQ(pc.network().comInitialized(), 0);
    EXPECT_EQ(pc.services().openHandles(), 0u);
}

// Enter, then Leave; what each reported.
struct Round {
    int changed = 0;
    int wait = 0;
    uint8_t restartAdapter = 7;
    UtilityControlContext context;

    void Enter() {
        EXPECT_EQ(ProcessControl(&changed, nullptr, context, kProcessControlEnter, &restartAdapter),
                  1);
    }
    void Leave() {
        EXPECT_EQ(ProcessControl(nullptr, &wait, context, kProcessControlLeave, &restartAdapter),
                  1);
    }
};

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The WN511T utility, running and started at logon by an HKCU Run value with arguments.
sim::Scenario WithNetgearUtility() {
    sim::Scenario pc;
    Install(pc, kUtility, kNetgear);
    pc.processes.push_back(Running(kUtility));
    RunValue(pc, kUserRoot, u"Netgear", std::u16string(u"\"") + kUtility + u"\" /tray");
    return pc;
}

TEST(ProcessControlTest, EveryUtilityOfTheTableIsClosedAndStartedAgainAsWindowsStartsIt) {
    const UtilityTable table = MakeUtilityTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const UtilityRow& row = table[i];
        if (*row.stopExecutable == u'\0') {
            continue;
        }
        for (bool fromShortcut : {false, true}) {
            SCOPED_TRACE(sim::ToUtf8(row.stopExecutable) +
                         (fromShortcut ? " from a shortcut" : " from a Run value"));
            sim::Scenario pc;
            std::u16string image = std::u16string(kVendorFolder) + row.stopExecutable;
            Install(pc, image, row.stopDescription);
            std::vector<sim::WindowConfig> windows;
            if (row.action == kUtilityCloseWindow) {
                windows.push_back({row.windowClass});
            }
            pc.processes.push_back(Running(image, windows));
            if (fromShortcut) {
                Shortcut(pc, pc.startupPath, u"Utility.lnk", sim::Shortcut{image, u"/startup"});
            } else {
                RunValue(pc, kUserRoot, u"Utility", u"\"" + image + u"\" /tray");
            }
            tools::SimSession session(pc);
            Round round;
            round.Enter();
            EXPECT_EQ(round.changed, 1);
            EXPECT_TRUE(ArgumentsOfRunning(session.pc(), image).empty());
            EXPECT_EQ(round.context.utilities[i].closed, 1);
            round.Leave();
            EXPECT_EQ(ArgumentsOfRunning(session.pc(), image),
                      std::vector<std::u16string>{fromShortcut ? u"/startup" : u"/tray"});
            EXPECT_EQ(round.context.utilities[i].closed, 0);
            EXPECT_EQ(round.wait, static_cast<int>(row.waitMs));
            EXPECT_EQ(round.restartAdapter,
                      std::u16string(row.stopExecutable) == u"QCTRAY.EXE" ? 0 : 1);
            ExpectNothingHeld(session.pc());
        }
    }
}

TEST(ProcessControlTest, TheVendorUtilitiesPcIsAsItWasAfterLeave) {
    tools::ScenarioFile file =
        tools::LoadScenarioFile(CORVANE_SCENARIO_DIR "/windows-xp-vendor-utilities.json");
    tools::SimSession session(file.scenario);
    auto running = [&] {
        std::vector<std::pair<std::string, std::string>> programs;
        for (const auto& [image, arguments] : tools::FinalStateOf(session.pc()).processes) {
            programs.emplace_back(sim::ToUtf8(image), sim::ToUtf8(arguments));
        }
        std::sort(programs.begin(), programs.end());
        return programs;
    };
    auto before = running();
    Round round;
    round.Enter();
    EXPECT_EQ(running(),
              (std::vector<std::pair<std::string, std::string>>{{"C:\\Tools\\WPNT511.exe", ""}}));
    EXPECT_EQ(tools::FinalStateOf(session.pc()).services.at("WUSB54GPSVC"), tools::kServiceStopped);
    round.Leave();
    EXPECT_EQ(running(), before);
    EXPECT_EQ(tools::FinalStateOf(session.pc()).services.at("WUSB54GPSVC"), tools::kServiceRunning);
    EXPECT_EQ(round.wait, 500);
    ExpectNothingHeld(session.pc());
}

TEST(ProcessControlTest, EnterAndLeaveLogEveryStep) {
    tools::SimSession session(WithNetgearUtility());
    Round round;
    round.Enter();
    round.Leave();
    std::vector<std::string> texts = LogTexts(session);
    std::vector<std::string> expected = {
        "ProcessControl Enter mode 0",
        "    GetWindow( \"ACWLIcon.exe\", \"#32770\", \"Access Connections Tray Status "
        "Application\" )",
        "    ret = 0x0",
        "    GetWindow( \"ACMainGUI.exe\", \"ACMainGUIMainFrameWnd\", \"Access Connections Main "
        "GUI\" )",
        "    ret = 0x0",
        "    [0][][ACS]",
        "    ProcessControl doesn't start [ACS]",
        "    [1][WZCSLDR.exe][]",
        "    Not Found[WZCSLDR.exe][ANIWZCS launcher for Windows.]",
        "    [2][WN511T.exe][]",
        "    Found[\"C:\\Program Files\\Vendor\\WN511T.exe\"][/tray][]",
        "    ProcessControl TerminateProcess \"WN511T.exe\"",
        "                 ret=1",
        "    [7][GCC.exe][]",
        "    Not Found[GCC.exe][Gcc MFC Application]",
        "ProcessControl Leave",
        "ProcessControl Enter mode 1",
        "    [2][WN511T.exe][]",
        "    ProcessControl ShellExecute \"\"C:\\Program Files\\Vendor\\WN511T.exe\"\" \"/tray\"",
        "ProcessControl Leave",
    };
    auto at = texts.begin();
    for (const std::string& text : expected) {
        at = std::find(at, texts.end(), text);
        ASSERT_NE(at, texts.end()) << "missing, or out of order: " << text;
    }
}

TEST(ProcessControlTest, WhatCannotBeStartedAgainOrIsNotTheUtilityIsLeftAlone) {
    struct Case {
        const char* what;
        void (*prepare)(sim::Scenario& pc);
    };
    for (const Case& c : {
             Case{"no Run value or shortcut starts it",
                  [](sim::Scenario& pc) { pc.network.registry.clear(); }},
             Case{"its executable has another description",
                  [](sim::Scenario& pc) { Install(pc, kUtility, u"Netgear Client Utility 2"); }},
             Case{"its executable has no version information",
                  [](sim::Scenario& pc) { Install(pc, kUtility, u""); }},
             Case{"the shortcut does not resolve",
                  [](sim::Scenario& pc) {
                      pc.network.registry.clear();
                      Shortcut(pc, pc.startupPath, u"Netgear.lnk", std::nullopt);
                  }},
             Case{"the shortcut points nowhere",
                  [](sim::Scenario& pc) {
                      pc.network.registry.clear();
                      Shortcut(pc, pc.commonStartupPath, u"Netgear.lnk",
                               sim::Shortcut{u"C:\\Gone\\WN511T.exe", u""});
                  }},
             Case{"it may not be terminated",
                  [](sim::Scenario& pc) { pc.processes[0].terminateRefused = true; }},
             Case{"it ends before it can be opened",
                  [](sim::Scenario& pc) { pc.processes[0].vanishes = true; }},
         }) {
        SCOPED_TRACE(c.what);
        sim::Scenario pc = WithNetgearUtility();
        c.prepare(pc);
        tools::SimSession session(pc);
        size_t before = session.pc().processes().all().size();
        Round round;
        round.Enter();
        EXPECT_EQ(round.changed, 0);
        EXPECT_EQ(round.context.utilities[2].closed, 0);
        round.wait = 123;
        round.Leave();
        EXPECT_EQ(round.wait, 123);
        EXPECT_EQ(session.pc().processes().all().size(), before) << "nothing was started";
        EXPECT_TRUE(session.pc().programStarts().empty());
        EXPECT_TRUE(session.pc().services().requests().empty());
        ExpectNothingHeld(session.pc());
    }
}

TEST(ProcessControlTest, AProgramThatOnlySharesTheUtilitysNameKeepsRunning) {
    sim::Scenario pc = WithNetgearUtility();
    constexpr char16_t kOwnProgram[] = u"C:\\Users Tools\\WN511T.exe";
    Install(pc, kOwnProgram, u"My own tool");
    pc.processes.insert(pc.processes.begin(), Running(kOwnProgram));
    pc.processes.push_back(Running(kOwnProgram));
    tools::SimSession session(pc);
    Round round;
    round.Enter();
    EXPECT_EQ(round.changed, 1);
    EXPECT_TRUE(ArgumentsOfRunning(session.pc(), kUtility).empty());
    EXPECT_EQ(ArgumentsOfRunning(session.pc(), kOwnProgram).size(), 2u);
}

TEST(ProcessControlTest, AWindowToCloseMustBeTheUtilitysAndAnswer) {
    constexpr char16_t kGcc[] = u"C:\\Program Files\\Vendor\\GCC.exe";
    struct Case {
        const char* what;
        std::vector<sim::WindowConfig> windows;
        bool closed;
    };
    for (const Case& c : {
             Case{"a window of the class", {{u"Afx:400000:0"}}, true},
             Case{"only windows of other classes", {{u"Afx:400000:8"}, {u"#32770"}}, false},
             Case{"no window", {}, false},
             Case{"a hung window", {{.className = u"Afx:400000:0", .hung = true}}, false},
             Case{"a window that ignores WM_CLOSE",
                  {{.className = u"Afx:400000:0", .closesOnWmClose = false}},
                  true},
         }) {
        SCOPED_TRACE(c.what);
        sim::Scenario pc;
        Install(pc, kGcc, u"Gcc MFC Application");
        pc.processes.push_back(Running(kGcc, c.windows));
        RunValue(pc, kUserRoot, u"Gcc", kGcc);
        tools::SimSession session(pc);
        Round round;
        round.Enter();
        EXPECT_EQ(round.context.utilities[7].closed, c.closed ? 1 : 0);
        EXPECT_EQ(round.changed, c.closed ? 1 : 0);
        round.Leave();
        EXPECT_EQ(session.pc().programStarts().size(), c.closed ? 1u : 0u);
    }
}

TEST(ProcessControlTest, ServicesOfTheTableAreStoppedAndStartedAgainWithTheLongestWait) {
    sim::Scenario pc = WithNetgearUtility();
    constexpr char16_t kWgm[] = u"C:\\Program Files\\Vendor\\WGM511.exe";
    Install(pc, kWgm, kNetgear);
    pc.processes.push_back(Running(kWgm));
    RunValue(pc, testing::kMachineRoot, u"Wgm", kWgm);
    pc.services.push_back({.name = "WUSB54GPSVC", .running = true});
    pc.services.push_back({.name = "WPC600NSvc", .running = false});
    tools::SimSession session(pc);
    Round round;
    round.Enter();
    EXPECT_EQ(round.context.utilities[14].closed, 1);
    EXPECT_EQ(round.context.utilities[20].closed, 0);
    round.Leave();
    EXPECT_EQ(round.wait, 6000);
    EXPECT_EQ(session.pc().services().requests(),
              (std::vector<std::string>{"stop WUSB54GPSVC", "start WUSB54GPSVC"}));
    EXPECT_EQ(ArgumentsOfRunning(session.pc(), kWgm), std::vector<std::u16string>{u""});
    EXPECT_TRUE(Contains(LogTexts(session), "    ProcessControl doesn't start [WPC600NSvc]"));
    ExpectNothingHeld(session.pc());
}

TEST(ProcessControlTest, TheClientManagersServiceComesBackThroughItsTrayProgram) {
    constexpr char16_t kTray[] = u"C:\\Program Files\\Client Manager\\cm3_tray.exe";
    for (bool trayRunning : {false, true}) {
        SCOPED_TRACE(trayRunning ? "tray running" : "tray not running");
        sim::Scenario pc;
        pc.services.push_back({.name = "Bwsvc", .running = true});
        Install(pc, kTray, u"Client Manager3 TrayManager");
        RunValue(pc, kUserRoot, u"Tray", kTray);
        if (trayRunning) {
            pc.processes.push_back(Running(kTray));
        }
        tools::SimSession session(pc);
        Round round;
        round.Enter();
        EXPECT_EQ(round.context.cm3TrayWasRunning, trayRunning ? 1 : 0);
        EXPECT_EQ(round.context.utilities[3].closed, 1);
        round.Leave();
        EXPECT_EQ(round.wait, 0);
        if (trayRunning) {
            EXPECT_EQ(session.pc().services().requests(), std::vector<std::string>{"stop Bwsvc"});
            EXPECT_EQ(session.pc().programStarts().size(), 1u);
            EXPECT_EQ(round.context.utilities[3].closed, 0);
        } else {
            EXPECT_EQ(session.pc().services().requests(),
                      (std::vector<std::string>{"stop Bwsvc", "start Bwsvc"}));
            EXPECT_TRUE(session.pc().programStarts().empty());
            EXPECT_EQ(round.context.utilities[3].closed, 1);
        }
    }
}

TEST(ProcessControlTest, ASuspendedUtilityIsResumedNotStartedAgain) {
    sim::Scenario pc = WithNetgearUtility();
    constexpr char16_t kOwnProgram[] = u"C:\\Tools\\WN511T.exe";
    Install(pc, kOwnProgram, u"");
    pc.processes.push_back(Running(kOwnProgram));
    tools::SimSession session(pc);
    Round round;
    round.context.utilities[2].action = kUtilitySuspend;
    auto suspendCounts = [&] {
        std::vector<uint32_t> counts;
        for (const auto& process : session.pc().processes().all()) {
            for (const auto& thread : process.threads) {
                counts.push_back(thread.suspendCount);
            }
        }
        return counts;
    };
    round.Enter();
    EXPECT_EQ(suspendCounts(), (std::vector<uint32_t>{1, 1, 0, 0}));
    round.Leave();
    EXPECT_EQ(suspendCounts(), (std::vector<uint32_t>{0, 0, 0, 0}));
    EXPECT_TRUE(session.pc().programStarts().empty());
    EXPECT_EQ(round.context.utilities[2].closed, 0);
    ExpectNothingHeld(session.pc());
}

TEST(ProcessControlTest, OnVistaOnlyAccessConnectionsIsHandled) {
    constexpr char16_t kIcon[] = u"C:\\Program Files\\ThinkVantage\\ACWLIcon.exe";
    constexpr char16_t kGui[] = u"C:\\Program Files\\ThinkVantage\\ACMainGUI.exe";
    for (bool serviceRunning : {true, false}) {
        SCOPED_TRACE(serviceRunning ? "AcSvc running" : "AcSvc stopped");
        sim::Scenario pc = WithNetgearUtility();
        pc.majorVersion = 6;
        pc.minorVersion = 0;
        Install(pc, kIcon, u"ThinkVantage Access Connections Wireless lan Icon Module");
        Install(pc, kGui, u"ThinkVantage Access Connections Main GUI Application");
        pc.processes.push_back(Running(kIcon, {{u"#32770"}}));
        pc.processes.push_back(Running(kGui, {{u"ACMainGUIMainFrameWnd"}}));
        pc.services.push_back({.name = "AcSvc", .running = serviceRunning});
        tools::SimSession session(pc);
        Round round;
        round.Enter();
        EXPECT_TRUE(ArgumentsOfRunning(session.pc(), kIcon).empty());
        EXPECT_TRUE(ArgumentsOfRunning(session.pc(), kGui).empty());
        EXPECT_EQ(ArgumentsOfRunning(session.pc(), kUtility).size(), 1u) << "not in the Vista pass";
        EXPECT_EQ(round.changed, 0);
        session.pc().processes().Start(kGui, u"");
        round.Leave();
        EXPECT_TRUE(ArgumentsOfRunning(session.pc(), kGui).empty()) << "closed again";
        EXPECT_EQ(session.pc().services().requests(),
                  serviceRunning ? (std::vector<std::string>{"stop AcSvc", "start AcSvc"})
                                 : std::vector<std::string>{});
        EXPECT_EQ(round.wait, 0);
        EXPECT_EQ(round.restartAdapter, 1);
        EXPECT_TRUE(Contains(LogTexts(session), "Vista ProcessControl Leave"));
        ExpectNothingHeld(session.pc());
    }
}

TEST(ProcessControlTest, AnyOtherModeBeforeVistaDoesNothing) {
    tools::SimSession session(WithNetgearUtility());
    UtilityControlContext context;
    int changed = 0;
    EXPECT_EQ(ProcessControl(&changed, nullptr, context, 2, nullptr), 0);
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(ArgumentsOfRunning(session.pc(), kUtility).size(), 1u);
    EXPECT_TRUE(LogTexts(session).empty());
}

TEST(ProcessControlTest, NamesAreLoggedInTheSystemsCodePage) {
    sim::Scenario pc;
    pc.ansiCodePage = 932;
    constexpr char16_t kJapanese[] = u"C:\\\u7121\u7DDA\\WN511T.exe";  // 無線
    Install(pc, kJapanese, kNetgear);
    pc.processes.push_back(Running(kJapanese));
    RunValue(pc, kUserRoot, u"Netgear", kJapanese);
    tools::SimSession session(pc);
    Round round;
    round.Enter();
    EXPECT_TRUE(Contains(LogTexts(session), "    Found[C:\\\x96\xb3\x90\xfc\\WN511T.exe][][]"));
}

}  // namespace
}  // namespace corvane
