#pragma once
// What a contract test needs besides the platform calls under test: files to act on, the
// generated language files, a chosen Windows version and the native WLAN service. One
// implementation prepares a real Windows (or Wine) machine, the other the simulated PC, so the
// same tests hold both to the same behaviour.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace contract {

struct WindowsVersion {
    const char* name;  // as Wine names it in HKCU\Software\Wine\Version
    uint32_t platformId;
    uint32_t major;
    uint32_t minor;
    uint8_t productType;  // what OSVERSIONINFOEXW reports
};

class Environment {
  public:
    virtual ~Environment() = default;

    // Starts a test with an empty scratch folder.
    virtual void BeginTest() = 0;
    // The full path of `relative` inside the scratch folder.
    virtual std::u16string Path(std::u16string_view relative) = 0;
    virtual void MakeFolder(std::u16string_view relative) = 0;
    virtual void MakeFile(std::u16string_view relative, std::string_view bytes) = 0;
    // A file carrying the version resource that version_fixture.h describes.
    virtual std::u16string VersionFixture() = 0;
    // The build's generated language file ("english" or "japanese"); empty when not built.
    virtual std::u16string LanguageFile(std::string_view language) = 0;
    // Makes GetVersionExW report `version`; false when this run cannot (the test is skipped).
    virtual bool UseWindowsVersion(const WindowsVersion& version) = 0;
    // A PC whose WLAN service runs (Vista on, "wlansvc" started); false when this system has no
    // Wlanapi.dll in its system directory (the test is skipped).
    virtual bool UseWlanService() = 0;
    // Runs `call` to its end, or stops it at an entry point the system exports without
    // implementing it (Wine's stubs raise instead of returning) and names that entry point.
    virtual std::optional<std::string> RunUnlessStub(const std::function<void()>& call) = 0;
};

Environment& TheEnvironment();

// Gives each test a fresh scratch folder.
class ContractTest : public testing::Test {
  protected:
    void SetUp() override { TheEnvironment().BeginTest(); }
    Environment& env() { return TheEnvironment(); }
};

}  // namespace contract
