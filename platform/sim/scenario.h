#pragma once
// A simulated PC, described as data. Tools load it from a scenario file; tests build it in code.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/sim/netcfg_model.h"
#include "platform/sim/network_model.h"
#include "platform/sim/process_model.h"
#include "platform/sim/services_model.h"
#include "platform/types.h"

namespace sim {

struct FileVersion {
    uint32_t productVersionMS = 0;
    uint32_t productVersionLS = 0;
    // \VarFileInfo\Translation entries: language id and code page.
    std::vector<std::pair<uint16_t, uint16_t>> translations = {{0x0409, 0x04B0}};
    // \StringFileInfo values of the first translation, by name (e.g. FileDescription).
    std::map<std::u16string, std::u16string> strings;
};

// What a shell link (.lnk) file points at.
struct Shortcut {
    std::u16string target;
    std::u16string arguments;
};

// One entry of a discretionary access control list.
struct Ace {
    uint8_t type = 0;  // ACCESS_ALLOWED_ACE_TYPE
    uint8_t flags = 0;
    uint32_t mask = 0;
    std::string sid;  // the SID's bytes

    bool operator==(const Ace&) const = default;
};

struct File {
    bool directory = false;
    bool readOnly = false;
    // Its DACL; none: no DACL, which lets everyone in. A folder made by the program gets the
    // inheritable entries of the folder above it.
    std::optional<std::vector<Ace>> dacl;
    uint16_t securityControl = 0;  // the descriptor's SE_DACL_AUTO_INHERITED and such
    std::string bytes;
    std::optional<FileVersion> version;
    // A .lnk file without one is not a shortcut the shell can resolve.
    std::optional<Shortcut> shortcut;
};

// Something the user does in a dialog.
struct UserAction {
    int templateId;
    enum class Kind { Button, Enter, Escape, CloseBox, AltF4, Select } kind = Kind::Button;
    int button = 1;  // for Button: the control id
    // Virtual time (ms since start) from which it happens; none: once nothing else happens.
    std::optional<uint32_t> at;
    int item = 0;  // for Select: the list box entry clicked
};

// What happens when the program asks to be started elevated.
enum class Elevation { Accepted, Declined, Impossible };

struct Scenario {
    std::string name = "default";

    // Windows version as GetVersionExW reports it.
    uint32_t platformId = platform::kVerPlatformWin32Nt;
    uint32_t majorVersion = 5;
    uint32_t minorVersion = 1;
    uint32_t buildNumber = 2600;
    std::u16string servicePack = u"Service Pack 3";
    uint8_t productType = platform::kVerNtWorkstation;
    bool versionQueryFails = false;
    bool wow64 = false;             // a 32-bit process on 64-bit Windows
    bool hasIsWow64Process = true;  // missing before XP SP2
    uint32_t ansiCodePage = 1252;

    bool administrator = true;
    Elevation elevation = Elevation::Accepted;
    uint32_t elevationPromptMs = 0;  // how long the user takes to answer the prompt

    // Files and folders by full path (case does not matter). Folders of the paths below
    // and of every file are created as needed.
    std::map<std::u16string, File> files;
    // Where a file named without a folder is looked for (system files such as Advapi32.dll).
    std::u16string systemDirectory = u"C:\\WINDOWS\\system32";
    std::u16string modulePath =
        u"C:\\Documents and Settings\\User\\Local Settings\\Temp\\"
        u"{1A8B078A-38DC-4efc-98E7-B6407DB6382C}\\VORTAU.exe";
    std::u16string currentDirectory =
        u"C:\\Documents and Settings\\User\\Local Settings\\Temp\\"
        u"{1A8B078A-38DC-4efc-98E7-B6407DB6382C}";
    std::u16string desktopPath = u"C:\\Documents and Settings\\User\\Desktop";  // empty: none
    // The user's and every user's Startup folders; empty: none.
    std::u16string startupPath = u"C:\\Documents and Settings\\User\\Start Menu\\Programs\\Startup";
    std::u16string commonStartupPath =
        u"C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\Startup";
    std::u16string commandLine =
        u"\"C:\\Documents and Settings\\User\\Local Settings\\Temp\\"
        u"{1A8B078A-38DC-4efc-98E7-B6407DB6382C}\\VORTAU.exe\" \"C:\\Downloads\"";

    // Another instance holds the single-instance mutex until this virtual time (ms since
    // start); nullopt: nobody else holds it; UINT32_MAX: never let go.
    std::optional<uint32_t> otherInstanceHoldsMutexUntil;
    // That instance runs elevated: this program may not open its mutex.
    bool otherInstanceElevated = false;

    // The user's answers to the agreement and start dialogs, when `actions` has none for
    // them; after its actions, the inspection dialog is closed with its button once nothing
    // else happens.
    bool agree = true;
    bool start = true;
    std::vector<UserAction> actions;

    // CreateThread fails, as when the system is out of memory.
    bool threadCreationFails = false;

    // Resources of the program, by id and type (icon groups are type 14), and its string
    // table.
    std::map<std::pair<int, int>, std::string> resources;
    std::map<int, std::u16string> strings;
    // The resources of a program that this one starts, by its file name (VORTAU.exe): what
    // that program carries once it runs.
    std::map<std::u16string, std::map<std::pair<int, int>, std::string>> startedResources;

    // GetTempPathA's answer.
    std::u16string tempPath = u"C:\\Documents and Settings\\User\\Local Settings\\Temp\\";
    // GetUserDefaultUILanguage's answer; none: kernel32.dll lacks it (before Windows 2000).
    std::optional<uint16_t> uiLanguage = 0x0409;
    uint16_t systemLanguage = 0x0409;  // GetSystemDefaultLangID

    platform::SystemTime startTime = {.wYear = 2026,
                                      .wMonth = 12,
                                      .wDayOfWeek = 4,
                                      .wDay = 3,
                                      .wHour = 9,
                                      .wMinute = 14,
                                      .wSecond = 25};
    uint32_t startTickCount = 1000000;

    // The disk takes this many more bytes of writes; a write beyond them fails with
    // ERROR_DISK_FULL and writes nothing. nullopt: room without end.
    std::optional<uint64_t> diskFullAfterBytes;

    // Adapters, Net-class devices, the registry, ARP answers and TCP/IP's bindings.
    NetworkConfig network;

    // The INF directory, the network configuration engine's components and its lock.
    DriverSetupConfig driverSetup;

    // Wlanapi.dll in the system directory; none: there from Vista on. The entry points it
    // lacks, by name.
    std::optional<bool> wlanApi;
    std::set<std::string> wlanApiMissing;

    // Services and kernel drivers the Service Control Manager knows.
    std::vector<ServiceConfig> services;

    // The programs running besides this one, in the order Toolhelp lists them.
    std::vector<ProcessConfig> processes;
};

}  // namespace sim
