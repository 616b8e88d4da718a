#include "tools/scenario/vortau_run.h"

#include <algorithm>

#include "checker/halvex_app.h"
#include "common/log_channel.h"
#include "common/log_ring.h"
#include "launcher/vorta_app.h"
#include "platform/kernel.h"

namespace corvane::tools {

SimViewer::SimViewer(bool datePrefix, bool timePrefix)
    : mapping_(platform::CreateFileMappingA(log_ring::kSize, log_ring::kName)),
      view_(static_cast<uint8_t*>(platform::MapViewOfFile(mapping_))) {
    view_[log_ring::kEnabledOffset] = 1;
    view_[log_ring::kDatePrefixOffset] = datePrefix ? 1 : 0;
    view_[log_ring::kTimePrefixOffset] = timePrefix ? 1 : 0;
}

SimViewer::~SimViewer() {
    platform::UnmapViewOfFile(view_);
    platform::CloseHandle(mapping_);
}

std::vector<std::string> SimViewer::Lines() const {
    std::vector<std::string> lines;
    uint32_t counter = log_ring::ReadCounter(view_);
    for (uint32_t i = log_ring::OldestCounter(counter); i != counter; ++i) {
        lines.push_back(log_ring::ReadSlot(view_, i));
    }
    return lines;
}

SimSession::SimSession(sim::Scenario scenario, bool withViewer) {
    g_logChannel.Close();
    sim::InstallPc(std::move(scenario));
    if (withViewer) {
        viewer_ = std::make_unique<SimViewer>();
    }
    g_logChannel.Open();
}

SimSession::~SimSession() {
    g_logChannel.Close();
    viewer_.reset();
}

std::vector<std::string> SimSession::Trace() const {
    return viewer_ ? viewer_->Lines() : std::vector<std::string>{};
}

namespace {

void RunChecker(RunOutcome& outcome) {
    CHalvexApp app;
    app.InitInstance();
    outcome.vortauStarted = true;
    outcome.osStatus = app.m_nOSStatus;
    outcome.adminStatus = app.m_nAdminStatus;
    outcome.adapterStatus = app.m_nAdapterStatus;
    outcome.wlanStatus = app.m_nWlanStatus;
    outcome.precheckFailed = app.m_bPrecheckFailed;
    outcome.needElevation = app.m_bNeedElevation;
    outcome.folderOption = app.m_strFolderOption;
    outcome.desktopOption = app.m_strDesktopOption;
}

void Collect(SimSession& session, RunOutcome& outcome) {
    outcome.dialogs = session.pc().dialogs().shown();
    outcome.closedDialogs = session.pc().dialogs().closed();
    outcome.programStarts = session.pc().programStarts();
    outcome.messageBoxes = session.pc().messageBoxes();
    outcome.trace = session.Trace();
    for (const auto& [path, file] : session.pc().files()) {
        if (path.find(u"\\CHECKINFO") != std::u16string::npos && !file.directory) {
            outcome.resultFiles[path] = file.bytes;
        }
    }
    outcome.virtualMs = session.pc().now();
    outcome.finalState = FinalStateOf(session.pc());
    outcome.after = FieldsOf(session.pc());
}

}  // namespace

RunOutcome RunVortau(const sim::Scenario& scenario) {
    SimSession session(scenario);
    RunOutcome outcome;
    outcome.before = FieldsOf(session.pc());
    RunChecker(outcome);
    Collect(session, outcome);
    return outcome;
}

RunOutcome RunFromLauncher(const sim::Scenario& scenario) {
    SimSession session(scenario);
    sim::Pc& pc = session.pc();
    RunOutcome outcome;
    outcome.before = FieldsOf(pc);
    {
        CVORTAApp app;
        app.InitInstance();
        app.ExitInstance();
    }
    // The shell started VORTAU as a process of the PC; here it runs as this one and then ends.
    std::vector<sim::ProgramStart> starts = pc.programStarts();
    if (!starts.empty() && starts.back().verb == u"open") {
        const sim::ProgramStart start = starts.back();
        auto& processes = pc.processes().all();
        auto started = std::find_if(processes.rbegin(), processes.rend(), [&](const auto& process) {
            return process.running &&
                   sim::Pc::FoldPath(process.image) == sim::Pc::FoldPath(start.file);
        });
        if (started != processes.rend()) {
            sim::ProcessTable::Process& vortau = *started;
            pc.RunStartedProgram(start);
            RunChecker(outcome);
            pc.processes().End(vortau);
        }
    }
    Collect(session, outcome);
    return outcome;
}

}  // namespace corvane::tools
