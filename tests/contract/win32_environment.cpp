// The contract environment on Windows (or Wine): a real scratch folder under the user's
// temporary directory, the fixture file and language files from the build tree, and the
// Windows version and WLAN service that the run was started under.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/contract/environment.h"
#include "tests/contract/stub_guard.h"

namespace contract {
namespace {

namespace fs = std::filesystem;

std::u16string ToU16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

fs::path ModuleFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
}

class Win32Environment : public Environment {
  public:
    Win32Environment() {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        scratch_ = fs::path(temp) / L"corvane-contract";
    }
    ~Win32Environment() override {
        std::error_code ignored;
        fs::remove_all(scratch_, ignored);
    }

    void BeginTest() override {
        fs::remove_all(scratch_);
        fs::create_directories(scratch_);
    }

    std::u16string Path(std::u16string_view relative) override {
        return ToU16(InScratch(relative).wstring());
    }

    void MakeFolder(std::u16string_view relative) override {
        fs::create_directories(InScratch(relative));
    }

    void MakeFile(std::u16string_view relative, std::string_view bytes) override {
        std::ofstream file(InScratch(relative), std::ios::binary);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::u16string VersionFixture() override {
        return ToU16((ModuleFolder() / L"version_fixture.dll").wstring());
    }

    std::u16string LanguageFile(std::string_view language) override {
        // CONTRACT_LANGUAGE_DIR is relative to this program's folder in the build tree.
        fs::path file =
            (ModuleFolder() / CONTRACT_LANGUAGE_DIR / std::string(language) / "language.ini")
                .lexically_normal();
        return fs::exists(file) ? ToU16(file.make_preferred().wstring()) : std::u16string();
    }

    // The version is the machine's; a run names it in CORVANE_WINDOWS_VERSION after setting
    // it up (for Wine: HKCU\Software\Wine\Version).
    bool UseWindowsVersion(const WindowsVersion& version) override {
        char name[64] = {};
        DWORD length = ::GetEnvironmentVariableA("CORVANE_WINDOWS_VERSION", name, sizeof name);
        return length > 0 && length < sizeof name && std::string_view(name) == version.name;
    }

    // The service is the machine's; this only finds out whether its library is there.
    bool UseWlanService() override {
        wchar_t directory[MAX_PATH] = {};
        UINT length = ::GetSystemDirectoryW(directory, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return false;
        }
        HMODULE library =
            ::LoadLibraryW((std::wstring(directory, length) + L"\\Wlanapi.dll").c_str());
        if (library == nullptr) {
            return false;
        }
        ::FreeLibrary(library);
        return true;
    }

    std::optional<std::string> RunUnlessStub(const std::function<void()>& call) override {
        return contract::RunUnlessStub(call);
    }

  private:
    fs::path InScratch(std::u16string_view relative) const {
        return scratch_ / std::wstring(relative.begin(), relative.end());
    }

    fs::path scratch_;
};

}  // namespace

Environment& TheEnvironment() {
    static Win32Environment environment;
    return environment;
}

}  // namespace contract
