// The contract environment on the simulated PC: each test starts on a fresh PC, files are
// placed into its file system, the Windows version and the WLAN service go into its scenario.

#include <fstream>
#include <sstream>

#include "platform/sim/pc.h"
#include "tests/contract/environment.h"
#include "tests/contract/version_fixture.h"

namespace contract {
namespace {

constexpr char16_t kScratch[] = u"C:\\contract\\";

class SimEnvironment : public Environment {
  public:
    void BeginTest() override {
        sim::InstallPc(sim::Scenario{});
        MakeFolder(u"");
    }

    std::u16string Path(std::u16string_view relative) override {
        return kScratch + std::u16string(relative);
    }

    void MakeFolder(std::u16string_view relative) override {
        sim::CurrentPc().PutFile(Path(relative), sim::File{.directory = true});
    }

    void MakeFile(std::u16string_view relative, std::string_view bytes) override {
        sim::CurrentPc().PutFile(Path(relative), sim::File{.bytes = std::string(bytes)});
    }

    std::u16string VersionFixture() override {
        namespace fixture = version_fixture;
        sim::FileVersion version{
            .productVersionMS = fixture::kVersionMS,
            .productVersionLS = fixture::kVersionLS,
            .translations = {{fixture::kLanguage, fixture::kCodePage}},
            .strings = {{u"FileDescription", fixture::kFileDescription},
                        {u"ProductVersion", u"5.1.2600.2180"}},
        };
        std::u16string path = Path(u"version_fixture.dll");
        sim::CurrentPc().PutFile(path, sim::File{.version = version});
        return path;
    }

    // CONTRACT_LANGUAGE_DIR is the build's folder of generated language files.
    std::u16string LanguageFile(std::string_view language) override {
        std::ifstream file(
            std::string(CONTRACT_LANGUAGE_DIR) + "/" + std::string(language) + "/language.ini",
            std::ios::binary);
        if (!file) {
            return u"";
        }
        std::ostringstream bytes;
        bytes << file.rdbuf();
        std::u16string path = Path(u"language\\") +
                              std::u16string(language.begin(), language.end()) + u"\\language.ini";
        sim::CurrentPc().PutFile(path, sim::File{.bytes = bytes.str()});
        return path;
    }

    bool UseWindowsVersion(const WindowsVersion& version) override {
        sim::Scenario scenario;
        scenario.platformId = version.platformId;
        scenario.majorVersion = version.major;
        scenario.minorVersion = version.minor;
        scenario.productType = version.productType;
        sim::InstallPc(scenario);
        return true;
    }

    bool UseWlanService() override {
        sim::Scenario scenario;
        scenario.majorVersion = 6;
        scenario.minorVersion = 0;
        scenario.services.push_back({.name = "wlansvc", .running = true});
        sim::InstallPc(scenario);
        MakeFolder(u"");
        return true;
    }

    // The simulated library implements every entry point it exports.
    std::optional<std::string> RunUnlessStub(const std::function<void()>& call) override {
        call();
        return std::nullopt;
    }
};

}  // namespace

Environment& TheEnvironment() {
    static SimEnvironment environment;
    return environment;
}

}  // namespace contract
