#include "tools/scenario/expectation.h"

#include <algorithm>

#include "platform/sim/code_page.h"
#include "platform/sim/pc.h"
#include "tools/scenario/pc_fields.h"

namespace corvane::tools {

namespace {

template <typename T>
void Compare(std::vector<std::string>& problems, const char* what, const std::optional<T>& expected,
             const T& actual) {
    if (expected && *expected != actual) {
        problems.push_back(std::string(what) + " differs from what was expected");
    }
}

// Whether `text` starts with `shape`, where '9' stands for any digit.
bool HasShape(std::string_view text, std::string_view shape) {
    if (text.size() < shape.size()) {
        return false;
    }
    for (size_t i = 0; i < shape.size(); ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == '9' ? !digit : text[i] != shape[i]) {
            return false;
        }
    }
    return true;
}

// The ring's text of a line, without its date and time prefixes and its line feed. A VORTAU or
// VORTA line starts at its name; the manager's and the utility control's lines have none, so
// the viewer's "2026/12/03 " and "09:14:25:000 " are taken off.
std::string Text(const std::string& line) {
    size_t at = line.find("VORTA");
    std::string text = line;
    if (at != std::string::npos) {
        text = line.substr(at);
    } else {
        constexpr std::string_view kDate = "9999/99/99 ";
        constexpr std::string_view kTime = "99:99:99:999 ";
        if (HasShape(text, kDate)) {
            text.erase(0, kDate.size());
        }
        if (HasShape(text, kTime)) {
            text.erase(0, kTime.size());
        }
    }
    if (text.ends_with('\n')) {
        text.pop_back();
    }
    return text;
}

}  // namespace

std::vector<std::string> UnmetExpectations(const RunOutcome& outcome, const Expectation& expect) {
    std::vector<std::string> problems;
    Compare(problems, "m_nOSStatus", expect.osStatus, outcome.osStatus);
    Compare(problems, "m_nAdminStatus", expect.adminStatus, outcome.adminStatus);
    Compare(problems, "m_nAdapterStatus", expect.adapterStatus, outcome.adapterStatus);
    Compare(problems, "m_nWlanStatus", expect.wlanStatus, outcome.wlanStatus);
    Compare(problems, "m_bPrecheckFailed", expect.precheckFailed, outcome.precheckFailed);
    Compare(problems, "m_bNeedElevation", expect.needElevation, outcome.needElevation);
    Compare(problems, "the dialogs shown", expect.dialogs, outcome.dialogs);
    auto next = outcome.trace.begin();
    for (const std::string& wanted : expect.trace) {
        next = std::find_if(next, outcome.trace.end(),
                            [&](const std::string& line) { return Text(line) == wanted; });
        if (next == outcome.trace.end()) {
            problems.push_back("trace line missing or out of order: " + wanted);
            break;
        }
        ++next;
    }
    for (const std::string& unwanted : expect.absentTrace) {
        if (std::any_of(outcome.trace.begin(), outcome.trace.end(),
                        [&](const std::string& line) { return Text(line) == unwanted; })) {
            problems.push_back("trace line present: " + unwanted);
        }
    }
    if (expect.vortauStarted && *expect.vortauStarted != outcome.vortauStarted) {
        problems.push_back(outcome.vortauStarted ? "VORTAU started" : "VORTAU did not start");
    }
    if (expect.messageBoxes) {
        std::vector<std::u16string> shown;
        for (const sim::MessageBoxShown& box : outcome.messageBoxes) {
            shown.push_back(box.text);
        }
        if (shown != *expect.messageBoxes) {
            problems.push_back("the message boxes shown differ from what was expected");
        }
    }
    if (expect.noResultFile && !outcome.resultFiles.empty()) {
        problems.push_back("a result file was written");
    }
    if (expect.resultFile) {
        auto file = outcome.resultFiles.find(sim::Pc::FoldPath(expect.resultFile->first));
        std::u16string text = expect.resultFile->second;
        std::string bytes = "\xFF\xFE";
        bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
        if (file == outcome.resultFiles.end()) {
            problems.push_back("no result file at " + sim::ToUtf8(expect.resultFile->first));
        } else if (file->second != bytes) {
            problems.push_back("the result file differs: " +
                               sim::ToUtf8(std::u16string(
                                   reinterpret_cast<const char16_t*>(file->second.data() + 2),
                                   (file->second.size() - 2) / 2)));
        }
    }
    AddUnmetFinalState(outcome.finalState, expect.finalState, problems);
    for (std::string& change : UnintendedChanges(outcome.before, outcome.after, expect.changes)) {
        problems.push_back(std::move(change));
    }
    return problems;
}

}  // namespace corvane::tools
