#pragma once
// Runs VORTAU's start-up on a simulated PC with a viewer switched on, and collects what a
// user and a support engineer would see.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/pc.h"
#include "platform/sim/scenario.h"
#include "tools/scenario/final_state.h"
#include "tools/scenario/pc_fields.h"

namespace corvane::tools {

struct RunOutcome {
    int osStatus = 0;
    int adminStatus = 0;
    int adapterStatus = 0;
    int wlanStatus = 0;
    bool precheckFailed = false;
    bool needElevation = false;
    std::u16string folderOption;
    std::u16string desktopOption;
    std::vector<int> dialogs;
    std::vector<sim::DialogState> closedDialogs;  // as each looked when it closed
    std::vector<sim::ProgramStart> programStarts;
    std::vector<sim::MessageBoxShown> messageBoxes;
    bool vortauStarted = false;      // after the launcher; a run that starts at VORTAU has it
    std::vector<std::string> trace;  // ANSI bytes, as stored in the ring
    std::map<std::u16string, std::string> resultFiles;  // by folded path: the bytes
    uint64_t virtualMs = 0;
    FinalState finalState;
    PcFields before;  // the PC as the run found it
    PcFields after;   // and as it left it
};

// A viewer that holds the ring open and switched on, so that the program's lines stay.
class SimViewer {
  public:
    explicit SimViewer(bool datePrefix = true, bool timePrefix = true);
    ~SimViewer();
    SimViewer(const SimViewer&) = delete;
    SimViewer& operator=(const SimViewer&) = delete;

    std::vector<std::string> Lines() const;

  private:
    void* mapping_;
    uint8_t* view_;
};

// A simulated PC for the length of a test or a run: installs it, has a viewer switch the
// ring on (unless told not to) and reopens the process's log channel on it.
class SimSession {
  public:
    explicit SimSession(sim::Scenario scenario, bool withViewer = true);
    ~SimSession();
    SimSession(const SimSession&) = delete;
    SimSession& operator=(const SimSession&) = delete;

    sim::Pc& pc() { return sim::CurrentPc(); }
    std::vector<std::string> Trace() const;

  private:
    std::unique_ptr<SimViewer> viewer_;
};

RunOutcome RunVortau(const sim::Scenario& scenario);
// The launcher's start-up, and VORTAU's when the launcher started it from a file it wrote.
RunOutcome RunFromLauncher(const sim::Scenario& scenario);

}  // namespace corvane::tools
