// ProcessControl against real processes, Wine's registry, shell and Service Control Manager, on
// Windows XP. run.sh sets the prefix's version and registers WUSB54GPSVC, a service of the
// utility table (its row waits 500 ms after the restart), running our test service.
//
// Each test installs the test utilities and registers at logon: GCC.exe (a window-closing row)
// under HKCU's Run key with arguments, WN511T.exe (a terminating row) by a shortcut in the
// user's Startup folder, and WPNT511.exe, whose FileDescription is not its row's, under the Run
// key too. lcu.exe carries its row's description and window class but nothing starts it at
// logon; WLANMon.exe is no row's name but has a row's description and window class.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "checker/checks/process_control.h"
#include "tests/wine/utilities/logon_entries.h"
#include "tests/wine/utilities/poll.h"
#include "tests/wine/utilities/running_utilities.h"
#include "tests/wine/utilities/service_state.h"
#include "tests/wine/utilities/test_utility.h"

namespace utilities {
namespace {

constexpr wchar_t kService[] = L"WUSB54GPSVC";

struct Utility {
    const wchar_t* executable;
    const wchar_t* windowClass;       // nullptr: it shows no window
    bool endedByEnter;                // through its window when it has one
    const wchar_t* restartArguments;  // of Leave's start; nullptr: Leave must not start it
};

const Utility kGcc = {L"GCC.exe", L"Afx:400000:0", true, L"--class Afx:400000:0 /logon"};
const Utility kWn511t = {L"WN511T.exe", nullptr, true, L""};  // a shortcut has no arguments
const Utility kWrongDescription = {L"WPNT511.exe", nullptr, false, nullptr};
const Utility kNotStartedAtLogon = {L"lcu.exe", L"Afx:400000:0:0:0:90703", false, nullptr};
const Utility kStranger = {L"WLANMon.exe", L"Afx:400000:0", false, nullptr};
const std::vector<const Utility*> kAll = {&kGcc, &kWn511t, &kWrongDescription, &kNotStartedAtLogon,
                                          &kStranger};

// What the test starts it with, unlike what starts it at logon.
std::wstring FirstArguments(const Utility& utility) {
    std::wstring arguments = L"/first";
    if (utility.windowClass != nullptr) {
        arguments = L"--class " + std::wstring(utility.windowClass) + L" " + arguments;
    }
    return arguments;
}

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

std::vector<std::wstring> Executables() {
    std::vector<std::wstring> executables;
    for (const Utility* utility : kAll) {
        executables.push_back(utility->executable);
    }
    return executables;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

class UtilityControlOnWine : public testing::Test {
  protected:
    void SetUp() override {
        OSVERSIONINFOW version{};
        version.dwOSVersionInfoSize = sizeof version;
        ASSERT_TRUE(::GetVersionExW(&version));
        ASSERT_EQ(version.dwMajorVersion * 10 + version.dwMinorVersion, 51u)
            << "the prefix must report Windows XP";
        EndAll();
        ASSERT_TRUE(Install(Executables()));
        ASSERT_TRUE(gccAtLogon_.Written());
        ASSERT_TRUE(wrongDescriptionAtLogon_.Written());
        ASSERT_TRUE(wn511tAtLogon_.Written());
        ASSERT_TRUE(BringServiceTo(kService, SERVICE_RUNNING));
    }
    // What Leave started, and what a failed test left, must not outlive the test.
    void TearDown() override { EndAll(); }

    static void EndAll() {
        for (const std::wstring& executable : Executables()) {
            utilities::EndAll(executable);
        }
    }

    // Starts each utility and waits until it has shown its window and recorded its start.
    static std::vector<Started> StartReady(const std::vector<const Utility*>& started) {
        std::vector<Started> processes;
        for (const Utility* utility : started) {
            processes.push_back(Start(utility->executable, FirstArguments(*utility)));
            EXPECT_TRUE(processes.back().process) << Narrow(utility->executable);
        }
        for (const Utility* utility : started) {
            EXPECT_TRUE(PollUntil([&] { return StartsOf(utility->executable).size() == 1; }))
                << Narrow(utility->executable) << " did not start";
        }
        return processes;
    }

    corvane::UtilityControlContext context_;
    RunValue gccAtLogon_{L"Corvane test GCC",
                         Quoted(PathOf(kGcc.executable)) + L" " + kGcc.restartArguments};
    RunValue wrongDescriptionAtLogon_{L"Corvane test WPNT511",
                                      Quoted(PathOf(kWrongDescription.executable)) + L" /logon"};
    StartupShortcut wn511tAtLogon_{L"Corvane test WN511T", PathOf(kWn511t.executable)};
};

TEST_F(UtilityControlOnWine, EnterEndsTheTableUtilitiesAndLeaveStartsThemAsAtLogon) {
    std::vector<Started> processes = StartReady(kAll);
    ASSERT_FALSE(HasFailure());

    int changed = 0;
    uint8_t restartAdapter = 0;
    ASSERT_EQ(corvane::ProcessControl(&changed, nullptr, context_, corvane::kProcessControlEnter,
                                      &restartAdapter),
              1);
    EXPECT_EQ(changed, 1);
    for (size_t i = 0; i < kAll.size(); ++i) {
        const Utility& utility = *kAll[i];
        SCOPED_TRACE(Narrow(utility.executable));
        HANDLE process = processes[i].process.get();
        if (!utility.endedByEnter) {
            EXPECT_EQ(::WaitForSingleObject(process, 0), static_cast<DWORD>(WAIT_TIMEOUT));
            if (utility.windowClass != nullptr) {
                EXPECT_TRUE(HasWindowOfClass(processes[i].processId, utility.windowClass));
            }
            continue;
        }
        ASSERT_EQ(::WaitForSingleObject(process, kPatienceMs), WAIT_OBJECT_0);
        EXPECT_TRUE(RunningAs(utility.executable).empty());
        DWORD exitCode = 0;
        ::GetExitCodeProcess(process, &exitCode);
        EXPECT_EQ(exitCode == static_cast<DWORD>(kExitWindowClosed), utility.windowClass != nullptr)
            << "exit code " << exitCode;
    }
    EXPECT_EQ(ServiceState(kService), static_cast<DWORD>(SERVICE_STOPPED));

    int waitMs = 0;
    ASSERT_EQ(corvane::ProcessControl(nullptr, &waitMs, context_, corvane::kProcessControlLeave,
                                      &restartAdapter),
              1);
    EXPECT_EQ(waitMs, 500);
    EXPECT_EQ(restartAdapter, 1);  // only QCTRAY.EXE's return clears it
    for (const Utility* utility : kAll) {
        SCOPED_TRACE(Narrow(utility->executable));
        if (utility->restartArguments == nullptr) {
            EXPECT_EQ(StartsOf(utility->executable).size(), 1u);
            EXPECT_EQ(RunningAs(utility->executable).size(), 1u);
            continue;
        }
        ASSERT_TRUE(PollUntil([&] { return StartsOf(utility->executable).size() == 2; }));
        CommandLine restart = StartsOf(utility->executable)[1];
        EXPECT_EQ(::lstrcmpiW(restart.program.c_str(), PathOf(utility->executable).c_str()), 0)
            << Narrow(restart.program);
        EXPECT_EQ(Narrow(restart.arguments), Narrow(utility->restartArguments));
        EXPECT_EQ(RunningAs(utility->executable).size(), 1u);
    }
    EXPECT_TRUE(PollUntil([] { return ServiceState(kService) == SERVICE_RUNNING; }));
}

TEST_F(UtilityControlOnWine, WithOnlyOthersRunningEnterAndLeaveChangeNothing) {
    ASSERT_TRUE(BringServiceTo(kService, SERVICE_STOPPED));
    const std::vector<const Utility*> others = {&kWrongDescription, &kNotStartedAtLogon,
                                                &kStranger};
    std::vector<Started> processes = StartReady(others);
    ASSERT_FALSE(HasFailure());

    int changed = 0;
    ASSERT_EQ(corvane::ProcessControl(&changed, nullptr, context_, corvane::kProcessControlEnter,
                                      nullptr),
              1);
    EXPECT_EQ(changed, 0);
    int waitMs = 0;
    ASSERT_EQ(
        corvane::ProcessControl(nullptr, &waitMs, context_, corvane::kProcessControlLeave, nullptr),
        1);
    EXPECT_EQ(waitMs, 0);
    // A start through the shell lists the new process before the call returns.
    EXPECT_TRUE(RunningAs(kGcc.executable).empty());
    EXPECT_TRUE(RunningAs(kWn511t.executable).empty());
    for (size_t i = 0; i < others.size(); ++i) {
        SCOPED_TRACE(Narrow(others[i]->executable));
        EXPECT_EQ(::WaitForSingleObject(processes[i].process.get(), 0),
                  static_cast<DWORD>(WAIT_TIMEOUT));
        EXPECT_EQ(StartsOf(others[i]->executable).size(), 1u);
    }
    EXPECT_EQ(ServiceState(kService), static_cast<DWORD>(SERVICE_STOPPED));
}

}  // namespace
}  // namespace utilities
