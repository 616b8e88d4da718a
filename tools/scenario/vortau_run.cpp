#include "tools/scenario/vortau_run.h"

#include "checker/halvex_app.h"
#include "common/log_channel.h"
#include "common/log_ring.h"
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

struct Item {
    int labelId;
    int failureTextId;
};

// Items 1 to 4 with their label and failure text; the state decides what is shown.
std::u16string ItemLine(const CMessageTable& messages, const Item& item, int state) {
    std::u16string label;
    std::u16string text;
    messages.GetText(item.labelId, label);
    std::u16string line = label + u": ";
    if (state == 1) {
        messages.GetText(13, text);
        return line + text;
    }
    if (state == 0) {
        messages.GetText(14, text);
        line += text;
        messages.GetText(item.failureTextId, text);
        return line + u" - " + text;
    }
    return line + u"---";
}

// 1 pass, 0 fail, -1 not run.
int State(int value, int pass, std::initializer_list<int> failures) {
    if (value == pass) {
        return 1;
    }
    for (int failure : failures) {
        if (value == failure) {
            return 0;
        }
    }
    return -1;
}

}  // namespace

RunOutcome RunVortau(const sim::Scenario& scenario) {
    SimSession session(scenario);
    RunOutcome outcome;
    {
        CHalvexApp app;
        app.InitInstance();
        outcome.osStatus = app.m_nOSStatus;
        outcome.adminStatus = app.m_nAdminStatus;
        outcome.adapterStatus = app.m_nAdapterStatus;
        outcome.wlanStatus = app.m_nWlanStatus;
        outcome.precheckFailed = app.m_bPrecheckFailed;
        outcome.needElevation = app.m_bNeedElevation;
        outcome.folderOption = app.m_strFolderOption;
        outcome.desktopOption = app.m_strDesktopOption;
        // Checks 1 and 2 ran: the inspection dialog comes next and shows the items.
        if (app.m_nOSStatus != 3) {
            outcome.items = {
                ItemLine(app.m_messages, {7, 16}, State(app.m_nOSStatus, 2, {0, 1})),
                ItemLine(app.m_messages, {8, 18}, State(app.m_nAdminStatus, 1, {0})),
                ItemLine(app.m_messages, {9, 19}, State(app.m_nAdapterStatus, 1, {0})),
                ItemLine(app.m_messages, {10, 20}, State(app.m_nWlanStatus, 4, {0, 1, 2, 3})),
            };
        }
    }
    outcome.dialogs = session.pc().dialogsShown();
    outcome.programStarts = session.pc().programStarts();
    outcome.trace = session.Trace();
    outcome.virtualMs = session.pc().now();
    return outcome;
}

}  // namespace corvane::tools
