#include "launcher/vorta_app.h"

#include "common/log_channel.h"
#include "common/pellora2_tools.h"
#include "common/unique_handle.h"
#include "launcher/common_controls.h"
#include "launcher/hand_off.h"
#include "launcher/language_table.h"
#include "platform/kernel.h"
#include "platform/message_box.h"
#include "platform/shell.h"

namespace corvane {

namespace {

constexpr const char* kMutexName = "TAVIR_Corvane_Mutex";
constexpr uint16_t kDefaultLanguage = 9;
constexpr int kMessageSize = 512;

int LastError() {
    return static_cast<int>(platform::GetLastError());
}

// Windows 2000 and later; kernel32.dll of NT 4.0 lacks the call.
uint16_t UserInterfaceLanguage() {
    UniqueLibrary kernel32(platform::LoadLibraryA("kernel32.dll"));
    auto get = reinterpret_cast<platform::GetUserDefaultUILanguageFn>(
        kernel32 ? platform::GetProcAddress(kernel32.Get(), "GetUserDefaultUILanguage") : nullptr);
    return get == nullptr ? kDefaultLanguage : get();
}

// UTF-16 both ways: a Japanese message reads right whatever the ANSI code page.
void ShowMessage(int stringId, const char* logLine) {
    char16_t text[kMessageSize] = {};
    platform::LoadStringW(stringId, text, kMessageSize);
    g_logChannel.Printf("%s", logLine);
    platform::MessageBoxW(nullptr, text, u"Corvane V1.00",
                          platform::kMbOk | platform::kMbIconExclamation);
}

// Another launcher, or VORTAU, holds the mutex: end without a word. Else the mutex is ours.
bool TakeMutex(UniqueHandle& mutex) {
    g_logChannel.Printf("VORTA Multiple start Check");
    mutex.Reset(platform::OpenMutexA(kMutexName));
    if (mutex) {
        g_logChannel.Printf("VORTA \"TAVIR_Corvane_Mutex\" exists.");
        return false;
    }
    // It exists, held by a program of another security context (an elevated VORTAU).
    if (platform::GetLastError() == platform::kErrorAccessDenied) {
        g_logChannel.Printf("VORTA Error ERROR_ACCESS_DENIED [%d]", LastError());
        return false;
    }
    mutex.Reset(platform::CreateMutexA(true, kMutexName));
    int error = LastError();
    if (!mutex || error == static_cast<int>(platform::kErrorAlreadyExists)) {
        g_logChannel.Printf("VORTA Error CreateMutex() [%d]", error);
        return false;
    }
    return true;
}

}  // namespace

bool CVORTAApp::InitInstance() {
    InitCommonControlsFromSystem();
    g_logChannel.Printf("VORTA ----------------  START  ---------------");
    UniqueHandle mutex;
    if (!TakeMutex(mutex)) {
        return false;
    }

    g_logChannel.Printf("VORTA GetVersionEx()...");
    platform::OsVersionInfoA version = {};
    version.dwOSVersionInfoSize = platform::kOsVersionInfoASize;
    platform::GetVersionExA(&version);
    g_logChannel.Printf("VORTA   Major[%d] Minor[%d]", static_cast<int>(version.dwMajorVersion),
                        static_cast<int>(version.dwMinorVersion));

    bool supported = false;
    uint16_t languageId = kDefaultLanguage;
    if (version.dwPlatformId == platform::kVerPlatformWin32Nt && version.dwMajorVersion >= 5) {
        supported = true;
        g_logChannel.Printf("VORTA Windows2000 or more");
        languageId = UserInterfaceLanguage();
    } else {
        languageId = platform::GetSystemDefaultLangID();
    }
    g_logChannel.Printf("VORTA wLangID[0x%X]", static_cast<unsigned>(languageId));
    const LanguageRow& language = LanguageRowFor(languageId);
    g_logChannel.Printf("%s", language.logText);

    int admin = version.dwMajorVersion >= 5 && platform::IsUserAnAdmin() ? 1 : 0;
    g_logChannel.Printf("VORTA Admin? [%d]", admin);
    // An administrator's installation brings the rollup's fixes with it; only a user's fails.
    bool missingRollup = false;
    if (admin == 0 && version.dwMajorVersion == 5 && version.dwMinorVersion == 0 &&
        !CPellora2Tools::IsW2kSP4RU1()) {
        missingRollup = true;
        g_logChannel.Printf("VORTA Not W2kSP4 RU1");
    }

    if (!supported) {
        ShowMessage(language.unsupportedMessage, "VORTA Non support OS");
        return false;
    }
    if (missingRollup) {
        ShowMessage(language.rollupMessage, "VORTA Non support OS Not SP4RU1");
        return false;
    }
    return UnpackAndStart(language.languageFile, mutex);
}

int CVORTAApp::ExitInstance() {
    g_logChannel.Printf("VORTA -----------------  END  ----------------");
    return 0;
}

}  // namespace corvane
