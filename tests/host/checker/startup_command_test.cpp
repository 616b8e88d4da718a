// Finding how Windows starts a utility at logon: Run values of every shape, and shortcuts.

#include "checker/checks/startup_command.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/code_page.h"
#include "tests/host/checker/utility_pc.h"

namespace corvane {
namespace {

using testing::Install;
using testing::kUserRoot;
using testing::RunValue;
using testing::Shortcut;
using testing::Utf16;

constexpr char16_t kTool[] = u"C:\\Program Files\\Vendor\\Tool.exe";

TEST(StartupCommandTest, RunValuesOfEveryShape) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::u16string, sim::RegistryValue>> values;  // by name order
        bool found;
        std::u16string path;
        std::u16string arguments;
    };
    auto text = [](const std::u16string& data) { return sim::RegistryValue{1, Utf16(data)}; };
    std::u16string quoted = std::u16string(u"\"") + kTool + u"\"";
    std::u16string long255(255 - std::size(kTool) + 1, u'x');
    for (const Case& c : std::vector<Case>{
             {"a quoted path, a space and arguments",
              {{u"A", text(quoted + u" /tray /quiet")}},
              true,
              quoted,
              u"/tray /quiet"},
             {"a quoted path and arguments without a space",
              {{u"A", text(quoted + u"/tray")}},
              true,
              quoted,
              u""},
             {"an unquoted path with spaces split where a file exists",
              {{u"A", text(std::u16string(kTool) + u" /tray now")}},
              true,
              kTool,
              u"/tray now"},
             {"no prefix names a file",
              {{u"A", text(u"C:\\Other Place\\tool.exe /tray")}},
              true,
              u"C:\\Other Place\\tool.exe /tray",
              u""},
             {"an unbalanced quote",
              {{u"A", text(u"\"C:\\Other Place\\TOOL.EXE /tray")}},
              true,
              u"\"C:\\Other Place\\TOOL.EXE /tray",
              u""},
             {"spaces around the name",
              {{u"A", text(u"   tool.exe   ")}},
              true,
              u"   tool.exe   ",
              u""},
             {"the type does not matter",
              {{u"A", {3, Utf16(u"D:\\tool.exe")}}},
              true,
              u"D:\\tool.exe",
              u""},
             {"empty, only spaces and numbers are passed over",
              {{u"A", text(u"")},
               {u"B", text(u"    ")},
               {u"C", {4, testing::Dword(7)}},
               {u"D", {1, std::string("\x01", 1)}},
               {u"E", text(u"C:\\tool.exe")}},
              true,
              u"C:\\tool.exe",
              u""},
             {"512 bytes without a terminator are cut inside the buffer",
              {{u"A", {1, Utf16(kTool + long255 + u"y", 0)}}},
              true,
              std::u16string(kTool) + long255,
              u""},
             {"a value too long to read ends the search",
              {{u"A", text(std::u16string(300, u'x'))}, {u"B", text(u"C:\\tool.exe")}},
              false,
              u"",
              u""},
             {"a name too long to read ends the search",
              {{std::u16string(600, u'A'), text(u"C:\\x.exe")}, {u"B", text(u"C:\\tool.exe")}},
              false,
              u"",
              u""},
             {"no value mentions it", {{u"A", text(u"C:\\toolbox.exe")}}, false, u"", u""},
         }) {
        SCOPED_TRACE(c.what);
        sim::Scenario pc;
        Install(pc, kTool, u"");
        for (const auto& [name, value] : c.values) {
            RunValue(pc, kUserRoot, name, value);
        }
        tools::SimSession session(pc);
        StartupCommand command = GetProcessPathFromRunKey(platform::CurrentUser(), u"TOOL.exe");
        EXPECT_EQ(command.found, c.found);
        EXPECT_EQ(sim::ToUtf8(command.path), sim::ToUtf8(c.path));
        EXPECT_EQ(sim::ToUtf8(command.arguments), sim::ToUtf8(c.arguments));
        EXPECT_EQ(session.pc().network().registry().openKeys(), 0u);
    }
}

TEST(StartupCommandTest, RunValuesComeBeforeShortcutsAndTheUsersFolderBeforeEveryones) {
    constexpr char16_t kOther[] = u"C:\\Program Files\\Other\\Other.exe";
    sim::Scenario pc;
    Install(pc, kTool, u"Tool");
    Install(pc, kOther, u"Other");
    Shortcut(pc, pc.startupPath, u"A broken one.lnk", std::nullopt);
    Shortcut(pc, pc.startupPath, u"B other.lnk", sim::Shortcut{kOther, u""});
    Shortcut(pc, pc.commonStartupPath, u"Tool.lnk", sim::Shortcut{kTool, u""});
    pc.files[pc.startupPath + u"\\Tool.exe.txt"] = sim::File{};
    {
        tools::SimSession session(pc);
        StartupCommand command = GetProcessPathFromStartUpPath(u"tool.exe", u"Tool");
        EXPECT_TRUE(command.found);
        EXPECT_EQ(sim::ToUtf8(command.path), sim::ToUtf8(kTool));
        EXPECT_EQ(sim::ToUtf8(command.shortcut), sim::ToUtf8(pc.commonStartupPath + u"\\Tool.lnk"));
        EXPECT_FALSE(GetProcessPathFromStartUpPath(u"tool.exe", u"Tool 2").found);
        EXPECT_TRUE(session.pc().shellLinks().empty());
        EXPECT_EQ(session.pc().network().comInitialized(), 0);
    }
    RunValue(pc, testing::kMachineRoot, u"Tool", std::u16string(kTool) + u" -m");
    RunValue(pc, kUserRoot, u"Tool", std::u16string(kTool) + u" -u");
    tools::SimSession session(pc);
    StartupCommand command = GetProcessPathFromStartUpPath(u"tool.exe", u"");
    EXPECT_EQ(sim::ToUtf8(command.arguments), "-m");
    EXPECT_TRUE(command.shortcut.empty());
}

}  // namespace
}  // namespace corvane
