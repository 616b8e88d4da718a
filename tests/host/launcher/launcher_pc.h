#pragma once
// The launcher's start-up on a simulated PC: the base PC of the scenario files with the run
// starting at VORTA in C:\Downloads, changed as a test needs.

#include <string>
#include <vector>

#include "launcher/vorta_app.h"
#include "platform/sim/code_page.h"
#include "tools/scenario/scenario_file.h"
#include "tools/scenario/vortau_run.h"

namespace corvane::testing {

inline constexpr char16_t kPrivateFolder[] =
    u"C:\\Documents and Settings\\User\\Local Settings\\Temp\\"
    u"{1A8B078A-38DC-4efc-98E7-B6407DB6382C}";
inline constexpr char16_t kRunOnceKey[] =
    u"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

inline sim::Scenario LauncherPc(const std::string& json = R"({"start": "VORTA"})") {
    return tools::ParseScenario(json).scenario;
}

// Runs VORTA alone, as its entry does; the session stays for the test to look at the PC.
class LauncherRun {
  public:
    explicit LauncherRun(sim::Scenario scenario) : session_(std::move(scenario)) {
        CVORTAApp app;
        app.InitInstance();
        app.ExitInstance();
    }

    sim::Pc& pc() { return session_.pc(); }

    // The launcher's own lines, without the viewer's prefixes.
    std::vector<std::string> Trace() const {
        std::vector<std::string> texts;
        for (const std::string& line : session_.Trace()) {
            size_t at = line.find("VORTA ");
            if (at != std::string::npos) {
                texts.push_back(line.substr(at));
            }
        }
        return texts;
    }

    const sim::File* Private(const std::u16string& name = u"") {
        return pc().FindFile(name.empty() ? std::u16string(kPrivateFolder)
                                          : kPrivateFolder + (u"\\" + name));
    }

    // The RunOnce value's text, or nothing when it was not written.
    std::optional<std::u16string> RunOnceValue() {
        const sim::RegistryValue* value =
            pc().network().registry().Value(sim::Registry::Fold(kRunOnceKey), u"CorvaneInstDelete");
        if (value == nullptr) {
            return std::nullopt;
        }
        return std::u16string(reinterpret_cast<const char16_t*>(value->bytes.data()),
                              value->bytes.size() / 2);
    }

  private:
    tools::SimSession session_;
};

}  // namespace corvane::testing
