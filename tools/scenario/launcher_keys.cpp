#include "tools/scenario/launcher_keys.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

#include "platform/sim/code_page.h"
#include "resources/launcher_resource.h"

#if !defined(CORVANE_LANGUAGE_DIR) || !defined(CORVANE_INF_FILE)
#error "the build names the built language files and the setup information file"
#endif

namespace corvane::tools {

namespace {

using nlohmann::json;

constexpr char16_t kRunOnce[] =
    u"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Quoted(const std::u16string& path) {
    return "\"" + sim::ToUtf8(path) + "\"";
}

}  // namespace

void ApplyLauncher(const json& root, sim::Scenario& s) {
    std::u16string launcher =
        sim::FromUtf8(root.value("launcherPath", std::string("C:\\Downloads\\VORTA.exe")));
    s.startedResources[u"VORTAU.exe"] = std::move(s.resources);
    s.resources = {
        {{IDR_PAYLOAD_VORTAU, RT_PAYLOAD}, "MZ check program"},
        {{IDR_PAYLOAD_INF, RT_PAYLOAD}, ReadBytes(CORVANE_INF_FILE)},
        {{IDR_PAYLOAD_SYS, RT_PAYLOAD}, "MZ protocol driver"},
        {{IDR_PAYLOAD_LANGUAGE_ENGLISH, RT_PAYLOAD},
         ReadBytes(CORVANE_LANGUAGE_DIR "/english/language.ini")},
        {{IDR_PAYLOAD_LANGUAGE_JAPANESE, RT_PAYLOAD},
         ReadBytes(CORVANE_LANGUAGE_DIR "/japanese/language.ini")},
    };
    for (int id : root.value("payloadMissing", std::vector<int>{})) {
        s.resources.erase({id, RT_PAYLOAD});
    }
    for (int id : root.value("payloadEmpty", std::vector<int>{})) {
        s.resources[{id, RT_PAYLOAD}].clear();
    }
    s.strings = {{IDS_UNSUPPORTED_OS_JAPANESE, sim::FromUtf8(TEXT_UNSUPPORTED_OS_JAPANESE)},
                 {IDS_UNSUPPORTED_OS_ENGLISH, sim::FromUtf8(TEXT_UNSUPPORTED_OS_ENGLISH)},
                 {IDS_NO_ROLLUP_JAPANESE, sim::FromUtf8(TEXT_NO_ROLLUP_JAPANESE)},
                 {IDS_NO_ROLLUP_ENGLISH, sim::FromUtf8(TEXT_NO_ROLLUP_ENGLISH)}};
    s.modulePath = launcher;
    s.currentDirectory = launcher.substr(0, launcher.rfind(u'\\'));
    if (s.currentDirectory.size() == 2) {
        s.currentDirectory += u'\\';
    }
    s.commandLine = sim::FromUtf8(Quoted(launcher));

    if (root.contains("tempPath")) {
        s.tempPath = sim::FromUtf8(root["tempPath"].get<std::string>());
    }
    if (root.value("tempFolderExists", true) && !s.tempPath.empty() &&
        !s.files.contains(s.tempPath)) {
        s.files[s.tempPath] = sim::File{.directory = true};
    }
    if (root.value("runOnceKey", true)) {
        s.network.registry[kRunOnce];
    } else {
        s.network.registry.erase(kRunOnce);
    }
}

}  // namespace corvane::tools
