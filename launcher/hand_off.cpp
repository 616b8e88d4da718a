#include "launcher/hand_off.h"

#include <string>

#include "common/log_channel.h"
#include "launcher/ansi_path.h"
#include "launcher/folder_access.h"
#include "launcher/launcher_registry.h"
#include "launcher/payload.h"
#include "platform/file.h"
#include "platform/kernel.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace corvane {

namespace {

constexpr const char* kFolderName = "{1A8B078A-38DC-4efc-98E7-B6407DB6382C}";
constexpr const char* kRunOnce = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr uint32_t kKeyReadWrite = 0x2001F;

int LastError() {
    return static_cast<int>(platform::GetLastError());
}

bool TempFolder(std::string& folder) {
    char path[platform::kMaxPath + 1] = {};
    uint32_t length = platform::GetTempPathA(platform::kMaxPath, path);
    // A longer path does not fit and is not copied at all.
    if (length == 0 || length >= static_cast<uint32_t>(platform::kMaxPath)) {
        g_logChannel.Printf("VORTA Error GetTempPath() [%d]", LastError());
        return false;
    }
    folder = path;
    // The private folder goes inside it, not beside it.
    if (!EndsWithBackslash(folder)) {
        folder += '\\';
    }
    return true;
}

bool OwnFolder(std::string& folder) {
    char path[platform::kMaxPath + 1] = {};
    uint32_t length = platform::GetModuleFileNameA(path, platform::kMaxPath);
    // A path that fills the buffer was cut: its folder would be the wrong one.
    if (length == 0 || length >= static_cast<uint32_t>(platform::kMaxPath)) {
        g_logChannel.Printf("VORTA Error GetModuleFileName() [%d]", LastError());
        return false;
    }
    folder = DriveAndDirectory(path);
    return true;
}

void EnsureRunOnceKey() {
    platform::RegistryKey opened = nullptr;
    uint32_t error =
        platform::RegOpenKeyExA(platform::CurrentUser(), kRunOnce, kKeyReadWrite, &opened);
    UniqueRegistryKey existing(opened);
    if (error == platform::kErrorSuccess) {
        return;
    }
    g_logChannel.Printf("VORTA Error RunOnce key not found.");
    g_logChannel.Printf("VORTA RegCreateKeyEx() RunOnce key.");
    uint32_t result = platform::RegCreateKeyExA(platform::CurrentUser(), kRunOnce,
                                                platform::kKeyAllAccess, &opened);
    UniqueRegistryKey created(opened);
    g_logChannel.Printf("VORTA     ret = %d (%d)", static_cast<int>(result), LastError());
}

}  // namespace

bool UnpackAndStart(int languageFile, UniqueHandle& mutex) {
    const auto files = PayloadFiles(languageFile);
    // A damaged launcher ends before it has written anything.
    for (const PayloadFile& file : files) {
        if (!HasPayload(file.resourceId)) {
            return false;
        }
    }
    std::string temp;
    if (!TempFolder(temp)) {
        return false;
    }
    std::string folder = temp + kFolderName;
    std::string own;
    if (!OwnFolder(own)) {
        return false;
    }
    EnsureRunOnceKey();
    std::string command = "cmd /Q /C rd /S /Q \"" + folder + "\"";
    CRegistry cRegistry(platform::CurrentUser(), kRunOnce);
    if (!cRegistry.SetRegValueSZ(command.c_str())) {
        g_logChannel.Printf("VORTA Error cRegistry.SetRegValueSZ() [%d]", LastError());
        return false;
    }
    if (!platform::CreateDirectoryA(folder.c_str()) &&
        platform::GetLastError() != platform::kErrorAlreadyExists) {
        g_logChannel.Printf("VORTA Error CreateDirectory() [%d]", LastError());
        return false;
    }
    GrantEveryoneReadAndExecute(folder.c_str());
    for (const PayloadFile& file : files) {
        g_logChannel.Printf("%s", file.logLine);
        if (!WritePayloadFile(file.resourceId, folder + "\\" + file.fileName)) {
            return false;
        }
        g_logChannel.Printf("VORTA   ...OK");
    }
    // From here the name is free for VORTAU, which creates the mutex itself.
    mutex.Reset();
    RemoveTrailingBackslashes(own);
    std::string parameters = "\"" + own + "\"";
    std::string program = folder + "\\VORTAU.exe";
    g_logChannel.Printf("VORTA ShellExecute()...");
    g_logChannel.Printf("VORTA   [%s]", program.c_str());
    g_logChannel.Printf("VORTA   [%s]", parameters.c_str());
    g_logChannel.Printf("VORTA   [%s]", folder.c_str());
    platform::ShellExecuteA(nullptr, "open", program.c_str(), parameters.c_str(), folder.c_str(),
                            platform::kSwShowNormal);
    return false;
}

}  // namespace corvane
