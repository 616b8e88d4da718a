#include "tools/scenario/scenario_file.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

#include "platform/sim/code_page.h"
#include "resources/resource_ids.h"
#include "tools/scenario/final_state_keys.h"
#include "tools/scenario/launcher_keys.h"
#include "tools/scenario/netcfg_keys.h"
#include "tools/scenario/network_keys.h"
#include "tools/scenario/process_keys.h"
#include "tools/scenario/services_keys.h"

#if !defined(CORVANE_LANGUAGE_DIR) || !defined(CORVANE_AGREEMENT_DIR) || !defined(CORVANE_ICON_FILE)
#error "the build names the folders of the built language files and agreement texts"
#endif

namespace corvane::tools {

namespace {

using nlohmann::json;

constexpr int kResourceTypeIconGroup = 14;

std::u16string Wide(const std::string& text) {
    return sim::FromUtf8(text);
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// "5.0.2195.7038" as the two product version words.
sim::FileVersion ParseVersion(const std::string& text) {
    unsigned parts[4] = {};
    if (std::sscanf(text.c_str(), "%u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]) != 4) {
        throw std::runtime_error("a version reads like 5.0.2195.7038, not " + text);
    }
    sim::FileVersion version;
    version.productVersionMS = parts[0] << 16 | (parts[1] & 0xFFFF);
    version.productVersionLS = parts[2] << 16 | (parts[3] & 0xFFFF);
    return version;
}

uint8_t ProductType(const json& value) {
    if (value.is_number()) {
        return value.get<uint8_t>();
    }
    std::string name = value.get<std::string>();
    if (name == "workstation")
        return 1;
    if (name == "domainController")
        return 2;
    if (name == "server")
        return 3;
    throw std::runtime_error("productType is workstation, domainController, server or a number");
}

sim::Elevation ElevationOf(const std::string& name) {
    if (name == "accepted")
        return sim::Elevation::Accepted;
    if (name == "declined")
        return sim::Elevation::Declined;
    if (name == "impossible")
        return sim::Elevation::Impossible;
    throw std::runtime_error("elevation is accepted, declined or impossible");
}

// An argument as the runtime will split it back: quoted when it holds blanks or quotes.
std::string Quote(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
        return argument;
    }
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

void ApplyWindows(const json& windows, sim::Scenario& s) {
    if (windows.contains("platform")) {
        std::string platform = windows["platform"];
        s.platformId =
            platform == "nt" ? platform::kVerPlatformWin32Nt : platform::kVerPlatformWin32Windows;
    }
    s.majorVersion = windows.value("major", s.majorVersion);
    s.minorVersion = windows.value("minor", s.minorVersion);
    s.buildNumber = windows.value("build", s.buildNumber);
    if (windows.contains("servicePack")) {
        s.servicePack = Wide(windows["servicePack"]);
    }
    if (windows.contains("productType")) {
        s.productType = ProductType(windows["productType"]);
    }
    s.wow64 = windows.value("wow64", s.wow64);
    s.hasIsWow64Process = windows.value("hasIsWow64Process", s.hasIsWow64Process);
    s.versionQueryFails = windows.value("versionQueryFails", s.versionQueryFails);
    s.ansiCodePage = windows.value("ansiCodePage", s.ansiCodePage);
    if (windows.contains("uiLanguage")) {
        const json& language = windows["uiLanguage"];
        s.uiLanguage =
            language.is_null() ? std::nullopt : std::optional<uint16_t>(language.get<uint16_t>());
    }
    s.systemLanguage = windows.value("systemLanguage", s.systemLanguage);
    if (windows.contains("systemDirectory")) {
        s.systemDirectory = Wide(windows["systemDirectory"]);
    }
    if (windows.contains("wlanApi")) {
        s.wlanApi = windows["wlanApi"].get<bool>();
    }
    for (const std::string& name : windows.value("wlanApiMissing", std::vector<std::string>{})) {
        s.wlanApiMissing.insert(name);
    }
}

void ApplyLanguageFile(const json& language, const std::u16string& folder, sim::Scenario& s) {
    std::u16string path = folder + u"language.ini";
    if (language.is_string()) {
        std::string name = language;
        if (name == "none") {
            return;
        }
        if (name != "english" && name != "japanese") {
            throw std::runtime_error("languageFile is english, japanese, none or {\"text\": ...}");
        }
        std::filesystem::path built =
            std::filesystem::path(CORVANE_LANGUAGE_DIR) / name / "language.ini";
        s.files[path] = sim::File{.bytes = ReadBytes(built)};
    } else if (language.contains("text")) {
        // Written as the launcher writes it: UTF-16LE with a byte-order mark, CRLF.
        std::u16string text;
        for (char16_t c : Wide(language["text"].get<std::string>())) {
            if (c == u'\n') {
                text.push_back(u'\r');
            }
            text.push_back(c);
        }
        std::string bytes = "\xFF\xFE";
        bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
        s.files[path] = sim::File{.bytes = bytes};
    } else if (language.contains("bytes")) {
        s.files[path] = sim::File{.bytes = language["bytes"].get<std::string>()};
    }
}

int TemplateOf(const std::string& name) {
    if (name == "agreement")
        return kDialogProvision;
    if (name == "start")
        return kDialogMain;
    if (name == "inspection")
        return kDialogInspect;
    if (name == "selection")
        return kDialogSelectNic;
    throw std::runtime_error("a dialog is agreement, start, inspection or selection");
}

// {"dialog": "inspection", "do": "button", "button": 1, "at": 2500}
sim::UserAction ParseAction(const json& action) {
    sim::UserAction parsed{.templateId = TemplateOf(action.at("dialog"))};
    std::string kind = action.value("do", std::string("button"));
    if (kind == "button") {
        parsed.kind = sim::UserAction::Kind::Button;
        parsed.button = action.value("button", 1);
    } else if (kind == "enter") {
        parsed.kind = sim::UserAction::Kind::Enter;
    } else if (kind == "escape") {
        parsed.kind = sim::UserAction::Kind::Escape;
    } else if (kind == "closeBox") {
        parsed.kind = sim::UserAction::Kind::CloseBox;
    } else if (kind == "altF4") {
        parsed.kind = sim::UserAction::Kind::AltF4;
    } else if (kind == "select") {
        parsed.kind = sim::UserAction::Kind::Select;
        parsed.item = action.value("item", 0);
    } else {
        throw std::runtime_error("an action does button, enter, escape, closeBox, altF4 or select");
    }
    if (action.contains("at")) {
        parsed.at = action["at"].get<uint32_t>();
    }
    return parsed;
}

Expectation ParseExpectation(const json& expect) {
    Expectation e;
    if (expect.contains("osStatus"))
        e.osStatus = expect["osStatus"].get<int>();
    if (expect.contains("adminStatus"))
        e.adminStatus = expect["adminStatus"].get<int>();
    if (expect.contains("adapterStatus"))
        e.adapterStatus = expect["adapterStatus"].get<int>();
    if (expect.contains("wlanStatus"))
        e.wlanStatus = expect["wlanStatus"].get<int>();
    if (expect.contains("precheckFailed"))
        e.precheckFailed = expect["precheckFailed"].get<bool>();
    if (expect.contains("needElevation"))
        e.needElevation = expect["needElevation"].get<bool>();
    if (expect.contains("dialogs"))
        e.dialogs = expect["dialogs"].get<std::vector<int>>();
    e.trace = expect.value("trace", std::vector<std::string>{});
    e.absentTrace = expect.value("absentTrace", std::vector<std::string>{});
    if (expect.contains("resultFile")) {
        const json& file = expect["resultFile"];
        e.resultFile = {Wide(file.at("path")), Wide(file.at("text"))};
    }
    e.noResultFile = expect.value("noResultFile", false);
    if (expect.contains("messageBoxes")) {
        e.messageBoxes.emplace();
        for (const std::string& text : expect["messageBoxes"].get<std::vector<std::string>>()) {
            e.messageBoxes->push_back(Wide(text));
        }
    }
    if (expect.contains("vortauStarted")) {
        e.vortauStarted = expect["vortauStarted"].get<bool>();
    }
    e.finalState = ParseFinalState(expect);
    e.changes = expect.value("changes", std::vector<std::string>{});
    return e;
}

std::u16string ModuleFolder(const sim::Scenario& s) {
    return s.modulePath.substr(0, s.modulePath.rfind(u'\\') + 1);
}

// The driver's files that the launcher unpacks beside VORTAU, and the system folders they are
// installed into.
void ApplyDriverFiles(bool unpacked, const std::u16string& folder, sim::Scenario& s) {
    s.files[s.driverSetup.infDirectory] = sim::File{.directory = true};
    s.files[s.systemDirectory + u"\\drivers"] = sim::File{.directory = true};
    if (unpacked) {
        s.files[folder + u"TAVIR_CorvaneWD.inf"] = sim::File{.bytes = ReadBytes(CORVANE_INF_FILE)};
        s.files[folder + u"TAVIR_CorvaneWD.sys"] = sim::File{.bytes = "MZ protocol driver"};
    }
}

// The default PC without its language file: the launcher's folder exists and VORTAU carries
// its resources.
ScenarioFile BaseScenario() {
    ScenarioFile file;
    file.description = "Windows XP SP3 (32-bit), an administrator, English";
    file.scenario.files[u"C:\\Downloads"] = sim::File{.directory = true};
    std::filesystem::path agreements = CORVANE_AGREEMENT_DIR;
    file.scenario.resources[{kAgreementEnglish, kResourceTypeAgreement}] =
        ReadBytes(agreements / "english.utf16");
    file.scenario.resources[{kAgreementJapanese, kResourceTypeAgreement}] =
        ReadBytes(agreements / "japanese.utf16");
    file.scenario.resources[{kIconCorvane, kResourceTypeIconGroup}] = ReadBytes(CORVANE_ICON_FILE);
    return file;
}

}  // namespace

// The PC the main job shows: a notebook whose wireless adapter Wireless Zero Configuration
// manages, on its home network with WEP, an open ad-hoc network in range, and the vendor's
// utility started at logon.
constexpr char kDefaultPc[] = R"({
  "name": "default",
  "description": "Windows XP SP3 (32-bit), an administrator, English; one wireless adapter that Wireless Zero Configuration manages, on its home network with WEP, an open ad-hoc network in range, and the adapter vendor's utility started from the Run key",
  "arguments": ["C:\\Downloads"],
  "files": {
    "C:\\Program Files\\NETGEAR\\WN511T\\WN511T.exe": {"description": "Netgear Client Utility"}
  },
  "processes": [
    {"image": "C:\\Program Files\\NETGEAR\\WN511T\\WN511T.exe", "arguments": "/tray", "threads": 3}
  ],
  "services": [
    {"name": "wzcsvc", "displayName": "Wireless Zero Configuration", "type": "shareProcess", "running": true}
  ],
  "network": {
    "adapters": [{
      "name": "{6B29FC40-CA47-1067-B31D-00DD010662DA}",
      "description": "NETGEAR WN511T RangeMax Next Wireless Notebook Adapter",
      "mac": "00-1F-33-5A-3B-7C",
      "addresses": [["192.168.1.20", "255.255.255.0"]],
      "gateways": ["192.168.1.1"],
      "oids": {"0x00010104": {"dword": 0}, "0x00010202": {"dword": 1}, "0x00010102": {"dword": 0},
               "0x00010114": {"dword": 0}, "0x00010110": {"word": "0x0501"}},
      "radio": {
        "ssid": "HomeAP", "infrastructureMode": 1, "authMode": 0, "encryption": 0,
        "networks": [
          {"ssid": "HomeAP", "bssid": "00-1A-2B-3C-4D-01", "rssi": -48, "privacy": 1},
          {"ssid": "PJ-Quintrel", "bssid": "02-4C-11-00-00-09", "rssi": -42, "infrastructureMode": 0}
        ]
      }
    }],
    "registry": {
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{6B29FC40-CA47-1067-B31D-00DD010662DA}": {
        "ControlFlags": {"dword": 32768}
      },
      "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\{6B29FC40-CA47-1067-B31D-00DD010662DA}\\Connection": {
        "Name": {"sz": "Wireless Network Connection"},
        "PnpInstanceID": {"sz": "PCI\\VEN_168C&DEV_0023\\4&2A8B1D0&0&10F0"}
      },
      "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{6B29FC40-CA47-1067-B31D-00DD010662DA}": {
        "EnableDHCP": {"dword": 1},
        "IPAddress": {"multiSz": ["0.0.0.0"]},
        "SubnetMask": {"multiSz": ["0.0.0.0"]}
      },
      "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run": {
        "WN511T": {"sz": "\"C:\\Program Files\\NETGEAR\\WN511T\\WN511T.exe\" /tray"}
      }
    },
    "tcpipBindingPaths": [{"token": "ms_tcpip->PCI\\VEN_168C&DEV_0023\\4&2A8B1D0&0&10F0"}]
  },
  "expect": {
    "osStatus": 2, "adminStatus": 1, "adapterStatus": 1, "wlanStatus": 4,
    "changes": [
      "file C:\\WINDOWS\\inf\\oem*.inf*",
      "file C:\\WINDOWS\\system32\\drivers\\TAVIR_CorvaneWD.sys*",
      "registry *\\Class\\{4D36E975-E325-11CE-BFC1-08002BE10318}\\Ndi*"
    ]
  }
})";

ScenarioFile DefaultScenario() {
    return ParseScenario(kDefaultPc);
}

ScenarioFile DefaultLauncherScenario() {
    json root = json::parse(kDefaultPc);
    root["start"] = "VORTA";
    root["description"] =
        "A user starts VORTA.exe from C:\\Downloads: " + root["description"].get<std::string>();
    // What the launcher leaves: its private folder with the four files, and the entry that
    // removes it at the next logon.
    for (const char* change : {"file *\\{1A8B078A-38DC-4EFC-98E7-B6407DB6382C}*",
                               "registry HKEY_CURRENT_USER\\SOFTWARE\\MICROSOFT\\WINDOWS\\"
                               "CURRENTVERSION\\RUNONCE value CorvaneInstDelete"}) {
        root["expect"]["changes"].push_back(change);
    }
    root["expect"]["vortauStarted"] = true;
    return ParseScenario(root.dump());
}

ScenarioFile ParseScenario(const std::string& text) {
    json root = json::parse(text);
    ScenarioFile file = BaseScenario();
    sim::Scenario& s = file.scenario;
    s.name = root.value("name", s.name);
    file.description = root.value("description", file.description);
    if (root.contains("windows")) {
        ApplyWindows(root["windows"], s);
    }
    const json systemFiles = root.value("systemFiles", json::object());
    for (const auto& [name, version] : systemFiles.items()) {
        std::u16string path = s.systemDirectory + u"\\" + Wide(name);
        if (version.is_null()) {
            s.files.erase(path);
        } else {
            s.files[path] = sim::File{.version = ParseVersion(version)};
        }
    }
    if (root.contains("user")) {
        const json& user = root["user"];
        s.administrator = user.value("administrator", s.administrator);
        s.elevationPromptMs = user.value("elevationPromptMs", s.elevationPromptMs);
        if (user.contains("elevation")) {
            s.elevation = ElevationOf(user["elevation"]);
        }
    }
    for (const json& action : root.value("actions", json::array())) {
        s.actions.push_back(ParseAction(action));
    }
    if (root.contains("answers")) {
        const json& answers = root["answers"];
        s.agree = answers.value("agreement", std::string("agree")) == "agree";
        s.start = answers.value("start", std::string("start")) == "start";
    }
    if (root.contains("modulePath"))
        s.modulePath = Wide(root["modulePath"]);
    if (root.contains("currentDirectory"))
        s.currentDirectory = Wide(root["currentDirectory"]);
    if (root.contains("desktop")) {
        s.desktopPath = root["desktop"].is_null() ? u"" : Wide(root["desktop"]);
    }
    if (root.contains("startup")) {
        s.startupPath = root["startup"].is_null() ? u"" : Wide(root["startup"]);
    }
    if (root.contains("commonStartup")) {
        s.commonStartupPath = root["commonStartup"].is_null() ? u"" : Wide(root["commonStartup"]);
    }
    if (root.contains("commandLine")) {
        s.commandLine = Wide(root["commandLine"]);
    } else if (root.contains("arguments")) {
        std::string line = Quote(sim::ToUtf8(s.modulePath));
        for (const std::string& argument : root["arguments"].get<std::vector<std::string>>()) {
            line += " " + Quote(argument);
        }
        s.commandLine = Wide(line);
    }
    for (const std::string& folder : root.value("folders", std::vector<std::string>{})) {
        s.files[Wide(folder)] = sim::File{.directory = true};
    }
    const json files = root.value("files", json::object());
    for (const auto& [path, properties] : files.items()) {
        sim::File entry;
        entry.directory = properties.value("directory", false);
        entry.readOnly = properties.value("readOnly", false);
        if (properties.contains("version")) {
            entry.version = ParseVersion(properties["version"]);
        }
        if (properties.contains("description")) {
            entry.version = entry.version.value_or(sim::FileVersion{});
            entry.version->strings[u"FileDescription"] = Wide(properties["description"]);
        }
        if (properties.contains("shortcut")) {
            entry.shortcut = ParseShortcut(properties["shortcut"]);
            entry.bytes = "L";
        }
        s.files[Wide(path)] = entry;
    }
    std::string start = root.value("start", std::string("VORTAU"));
    if (start != "VORTA" && start != "VORTAU") {
        throw std::runtime_error("start is VORTA or VORTAU");
    }
    file.startsAtLauncher = start == "VORTA";
    // The launcher brings the language file and the driver's files; VORTAU finds them beside it.
    if (!file.startsAtLauncher) {
        ApplyLanguageFile(root.value("languageFile", json("english")), ModuleFolder(s), s);
    }
    if (root.contains("otherInstanceHoldsMutexForMs")) {
        const json& held = root["otherInstanceHoldsMutexForMs"];
        s.otherInstanceHoldsMutexUntil = held.is_string() ? UINT32_MAX : held.get<uint32_t>();
    }
    s.otherInstanceElevated = root.value("otherInstanceElevated", s.otherInstanceElevated);
    if (root.contains("diskFullAfterBytes")) {
        s.diskFullAfterBytes = root["diskFullAfterBytes"].get<uint64_t>();
    }
    ApplyServices(root.value("services", json::array()), s);
    ApplyProcesses(root.value("processes", json::array()), s);
    ApplyNetwork(root.value("network", json::object()), s);
    ApplyDriverSetup(root.value("driverSetup", json::object()), s);
    ApplyDriverFiles(!file.startsAtLauncher && root.value("driverFiles", true), ModuleFolder(s), s);
    if (file.startsAtLauncher) {
        ApplyLauncher(root, s);
    }
    if (root.contains("expect")) {
        file.expect = ParseExpectation(root["expect"]);
    }
    return file;
}

ScenarioFile LoadScenarioFile(const std::filesystem::path& path) {
    try {
        return ParseScenario(ReadBytes(path));
    } catch (const std::exception& error) {
        throw std::runtime_error(path.string() + ": " + error.what());
    }
}

}  // namespace corvane::tools
