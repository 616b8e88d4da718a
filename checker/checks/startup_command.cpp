#include "checker/checks/startup_command.h"

#include <algorithm>
#include <string_view>

#include "checker/checks/process_operations.h"
#include "common/text.h"
#include "netconfig/unique_keys.h"
#include "platform/file.h"
#include "platform/kernel.h"
#include "platform/shell.h"
#include "platform/shell_link.h"

namespace corvane {

namespace {

constexpr char16_t kRunKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr uint32_t kValueNameChars = 512;
constexpr uint32_t kValueDataBytes = 512;
constexpr uint32_t kLastValueIndex = 65535;
constexpr size_t kCommandChars = platform::kMaxPath - 1;  // what each result holds
constexpr size_t kSplitScan = 260;

std::u16string Bounded(std::u16string_view text) {
    return std::u16string(text.substr(0, kCommandChars));
}

bool Mentions(std::u16string_view text, const char16_t* executable) {
    return ToLowerAscii(text).find(ToLowerAscii(executable)) != std::u16string::npos;
}

// A quoted path keeps its quotes and ends at the closing one; an unquoted one ends at the
// first space before which the text names an existing file. Without a split, all of it.
void SplitCommand(std::u16string_view data, StartupCommand& command) {
    size_t scanEnd = std::min(data.size(), kSplitScan + 1);
    if (!data.empty() && data.front() == u'"') {
        size_t close = data.substr(0, scanEnd).find(u'"', 1);
        if (close != std::u16string_view::npos) {
            command.path = Bounded(data.substr(0, close + 1));
            if (close + 1 < data.size() && data[close + 1] == u' ') {
                command.arguments = Bounded(data.substr(close + 2));
            }
            return;
        }
    } else {
        for (size_t i = 1; i < scanEnd; ++i) {
            if (data[i] != u' ') {
                continue;
            }
            std::u16string prefix(data.substr(0, i));
            if (platform::GetFileAttributesW(prefix.c_str()) != platform::kInvalidFileAttributes) {
                command.path = Bounded(prefix);
                command.arguments = Bounded(data.substr(i + 1));
                return;
            }
        }
    }
    command.path = Bounded(data);
}

// COM for one call on this thread, undone only when it was done here.
class ComForCall {
  public:
    ComForCall() : m_initialized(platform::Succeeded(platform::CoInitialize())) {}
    ~ComForCall() {
        if (m_initialized) {
            platform::CoUninitialize();
        }
    }
    ComForCall(const ComForCall&) = delete;
    ComForCall& operator=(const ComForCall&) = delete;

  private:
    bool m_initialized;
};

bool CloseFind(platform::FindHandle find) {
    return platform::FindClose(find);
}
using UniqueFind = UniqueResource<platform::FindHandle, CloseFind>;

StartupCommand FromStartupFolder(int csidl, const char16_t* executable) {
    StartupCommand command;
    char16_t folder[platform::kMaxPath] = {};
    if (!platform::SHGetSpecialFolderPathW(csidl, folder)) {
        return command;
    }
    folder[platform::kMaxPath - 1] = u'\0';
    std::u16string base = std::u16string(folder) + u"\\";
    platform::FindData data{};
    UniqueFind find(platform::FindFirstFileW((base + u"*.lnk").c_str(), &data));
    for (bool more = static_cast<bool>(find); more;
         more = platform::FindNextFileW(find.Get(), &data)) {
        data.cFileName[platform::kMaxPath - 1] = u'\0';
        std::u16string link = base + data.cFileName;
        std::u16string target;
        if (ResolveShortcut(link, target) && Mentions(target, executable)) {
            command.found = true;
            command.path = Bounded(target);
            command.shortcut = Bounded(link);
            return command;
        }
    }
    return command;
}

}  // namespace

StartupCommand GetProcessPathFromRunKey(platform::RegistryKey root, const char16_t* executable) {
    StartupCommand command;
    platform::RegistryKey opened = nullptr;
    if (platform::RegOpenKeyExW(root, kRunKey, platform::kKeyRead, &opened) !=
        platform::kErrorSuccess) {
        return command;
    }
    UniqueRegistryKey key(opened);
    for (uint32_t index = 0; index < kLastValueIndex; ++index) {
        char16_t name[kValueNameChars] = {};
        char16_t data[kValueDataBytes / sizeof(char16_t)] = {};
        uint32_t nameChars = kValueNameChars;
        uint32_t dataBytes = kValueDataBytes;
        if (platform::RegEnumValueW(key.Get(), index, name, &nameChars, nullptr, data,
                                    &dataBytes) != platform::kErrorSuccess) {
            break;
        }
        // Whatever its type, the data is text only up to a terminator we place ourselves.
        size_t units = std::min<size_t>(dataBytes / sizeof(char16_t), std::size(data) - 1);
        data[units] = u'\0';
        std::u16string_view text(data);
        if (Mentions(text, executable)) {
            command.found = true;
            SplitCommand(text, command);
            return command;
        }
    }
    return command;
}

StartupCommand GetProcessPathFromStartUpPath(const char16_t* executable,
                                             const char16_t* description) {
    StartupCommand command = GetProcessPathFromRunKey(platform::LocalMachine(), executable);
    if (!command.found) {
        command = GetProcessPathFromRunKey(platform::CurrentUser(), executable);
    }
    if (!command.found) {
        command = FromStartupFolder(platform::kCsidlStartup, executable);
    }
    if (!command.found) {
        command = FromStartupFolder(platform::kCsidlCommonStartup, executable);
    }
    if (command.found && description != nullptr && *description != u'\0') {
        std::u16string found;
        command.found =
            ReadFileDescription(WithoutOuterQuotes(command.path), found) && found == description;
    }
    return command;
}

bool ResolveShortcut(const std::u16string& linkPath, std::u16string& target) {
    ComForCall com;
    platform::ShellLink link;
    platform::PersistFile file;
    char16_t path[platform::kMaxPath] = {};
    if (!platform::Succeeded(platform::CoCreateShellLink(&link)) ||
        !platform::Succeeded(platform::IShellLinkW_QueryPersistFile(link, &file)) ||
        !platform::Succeeded(
            platform::IPersistFile_Load(file, linkPath.c_str(), platform::kStgmRead)) ||
        !platform::Succeeded(platform::IShellLinkW_GetPath(link, path, platform::kMaxPath,
                                                           platform::kSlgpUncPriority))) {
        return false;
    }
    path[platform::kMaxPath - 1] = u'\0';
    target = path;
    return true;
}

}  // namespace corvane
