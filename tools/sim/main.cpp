// corvane-sim: runs the launcher and VORTAU, or VORTAU alone, on a simulated PC and shows what
// happened.

#include <algorithm>
#include <cstdio>
#include <exception>
#include <set>
#include <string>

#include "platform/sim/code_page.h"
#include "tools/scenario/expectation.h"
#include "tools/scenario/pc_fields.h"
#include "tools/scenario/scenario_file.h"
#include "tools/scenario/vortau_run.h"

namespace {

using corvane::tools::RunOutcome;

std::string Utf8(const std::u16string& text) {
    return sim::ToUtf8(text);
}

const char* DialogName(int templateId) {
    switch (templateId) {
        case 132:
            return "Agreement (132)";
        case 131:
            return "Start (131)";
        case 130:
            return "Inspection (130)";
        case 129:
            return "Adapter selection (129)";
        default:
            return "Dialog";
    }
}

// A control's text as the user reads it: line by line, a long text cut after a few lines.
void PrintText(const std::u16string& text) {
    std::string utf8 = Utf8(text);
    size_t lines = 0;
    for (size_t start = 0; start <= utf8.size();) {
        size_t end = utf8.find("\r\n", start);
        std::string line = utf8.substr(start, end == std::string::npos ? end : end - start);
        if (++lines > 3) {
            std::printf("        ...\n");
            return;
        }
        std::printf("%s%s\n", lines == 1 ? "" : "        ", line.c_str());
        if (end == std::string::npos) {
            return;
        }
        start = end + 2;
    }
}

void PrintDialog(const sim::DialogState& dialog) {
    std::printf("%s dialog \"%s\" as it closed at %llu ms (result %d):\n",
                DialogName(dialog.templateId), Utf8(dialog.title).c_str(),
                static_cast<unsigned long long>(dialog.endedAt), static_cast<int>(dialog.result));
    for (const auto& [id, control] : dialog.controls) {
        if (control.text.empty()) {
            continue;
        }
        std::printf("  %4d  ", id);
        PrintText(control.text);
    }
}

// The fields a support engineer compares first: services, other programs, wireless settings,
// TCP/IP values and WLAN profiles.
bool Watched(const std::string& field) {
    for (const char* kind : {"service ", "process ", "radio ", "WLAN "}) {
        if (field.starts_with(kind)) {
            return true;
        }
    }
    return field.starts_with("registry ") &&
           field.find("\\TCPIP\\PARAMETERS\\INTERFACES\\") != std::string::npos;
}

// The PC before and after the run, field by field, then what else the run left: the engine's
// components, the files it wrote, each difference from before.
void PrintPcBeforeAndAfter(const RunOutcome& outcome) {
    const corvane::tools::PcFields& before = outcome.before;
    const corvane::tools::PcFields& after = outcome.after;
    std::set<std::string> fields;
    for (const auto* side : {&before, &after}) {
        for (const auto& [name, value] : *side) {
            if (Watched(name)) {
                fields.insert(name);
            }
        }
    }
    auto shown = [](const corvane::tools::PcFields& side, const std::string& name) {
        auto found = side.find(name);
        return found == side.end() ? std::string("none") : found->second;
    };
    std::printf("PC before and after the run:\n");
    for (const std::string& name : fields) {
        std::string was = shown(before, name);
        std::string is = shown(after, name);
        if (was == is) {
            std::printf("  %s: %s (as before)\n", name.c_str(), is.c_str());
        } else {
            std::printf("  %s: %s, before %s (CHANGED)\n", name.c_str(), is.c_str(), was.c_str());
        }
    }
    std::printf("  network components after:");
    for (const std::u16string& component : outcome.finalState.components) {
        std::printf(" %s", Utf8(component).c_str());
    }
    std::printf("\n  TCP/IP binding changes applied: %d\n", outcome.finalState.applies);
    std::vector<std::string> left = corvane::tools::UnintendedChanges(before, after, {});
    std::printf("Differences from before the run:%s\n", left.empty() ? " none" : "");
    for (const std::string& difference : left) {
        std::printf("  %s\n", difference.substr(sizeof "changed " - 1).c_str());
    }
}

void Print(const corvane::tools::ScenarioFile& file, const RunOutcome& outcome) {
    std::printf("Scenario: %s — %s\n", file.scenario.name.c_str(), file.description.c_str());
    std::printf("Dialogs shown:");
    for (int dialog : outcome.dialogs) {
        std::printf(" %s", DialogName(dialog));
    }
    std::printf("%s\n", outcome.dialogs.empty() ? " none" : "");
    for (const sim::DialogState& dialog : outcome.closedDialogs) {
        PrintDialog(dialog);
    }
    if (!outcome.vortauStarted) {
        std::printf("VORTAU did not start\n");
    }
    std::printf(
        "Status: m_nOSStatus=%d m_nAdminStatus=%d m_nAdapterStatus=%d m_nWlanStatus=%d "
        "m_bPrecheckFailed=%d m_bNeedElevation=%d\n",
        outcome.osStatus, outcome.adminStatus, outcome.adapterStatus, outcome.wlanStatus,
        outcome.precheckFailed, outcome.needElevation);
    std::printf("Folder option: \"%s\"  Desktop option: \"%s\"\n",
                Utf8(outcome.folderOption).c_str(), Utf8(outcome.desktopOption).c_str());
    for (const sim::MessageBoxShown& box : outcome.messageBoxes) {
        std::printf("Message box \"%s\" (style 0x%X): %s\n", Utf8(box.caption).c_str(),
                    static_cast<unsigned>(box.type), Utf8(box.text).c_str());
    }
    for (const auto& start : outcome.programStarts) {
        std::printf("Started: %s \"%s\" %s (in %s)\n", Utf8(start.verb).c_str(),
                    Utf8(start.file).c_str(), Utf8(start.parameters).c_str(),
                    Utf8(start.directory).c_str());
    }
    std::printf("Trace (%zu lines, as a viewer shows them):\n", outcome.trace.size());
    for (const std::string& line : outcome.trace) {
        std::string shown = Utf8(sim::ToUtf16(line, file.scenario.ansiCodePage));
        std::printf("  %s%s", shown.c_str(), shown.ends_with('\n') ? "" : "\n");
    }
    PrintPcBeforeAndAfter(outcome);
    std::printf("Virtual time used: %llu ms\n", static_cast<unsigned long long>(outcome.virtualMs));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 ||
        (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h"))) {
        std::fprintf(stderr,
                     "usage: corvane-sim [SCENARIO.json]\n"
                     "Runs the simulated PC that the scenario describes, from VORTA or from "
                     "VORTAU as its \"start\" says (without one: a user starts VORTA.exe from "
                     "C:\\Downloads on Windows XP SP3, an administrator, English).\n");
        return argc == 2 ? 0 : 2;
    }
    try {
        corvane::tools::ScenarioFile file = argc == 2 ? corvane::tools::LoadScenarioFile(argv[1])
                                                      : corvane::tools::DefaultLauncherScenario();
        RunOutcome outcome = file.startsAtLauncher ? corvane::tools::RunFromLauncher(file.scenario)
                                                   : corvane::tools::RunVortau(file.scenario);
        Print(file, outcome);
        auto problems = corvane::tools::UnmetExpectations(outcome, file.expect);
        for (const std::string& problem : problems) {
            std::printf("NOT AS EXPECTED: %s\n", problem.c_str());
        }
        return problems.empty() ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvane-sim: %s\n", error.what());
        return 2;
    }
}
