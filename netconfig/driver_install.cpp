// Installation and removal of the protocol driver TAVIR_CorvaneWD.sys: its files and service
// from the setup information file, then its network component.

#include "netconfig/netcfg_session.h"
#include "netconfig/tavir_net_set.h"
#include "platform/kernel.h"
#include "platform/netcfg.h"
#include "platform/registry.h"
#include "platform/setupapi.h"
#include "platform/types.h"

namespace corvane {

namespace {

constexpr int kPathUnits = 1024;
constexpr char16_t kInfName[] = u"TAVIR_CorvaneWD.inf";
constexpr char16_t kComponentId[] = u"TAVIR_Corvane_Ndisprot";
// Every kind of action of an install section except file copying (SPINST_ALL & ~SPINST_FILES).
constexpr uint32_t kSpinstAllButFiles = 0x1EF;

// GUID_DEVCLASS_NETTRANS
constexpr platform::Guid kNetTransClass = {
    0x4d36e975, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

// `text` after what `buffer` already holds, cut to the buffer.
void Append(char16_t (&buffer)[kPathUnits], const char16_t* text) {
    int at = 0;
    while (at < kPathUnits - 1 && buffer[at] != u'\0') {
        ++at;
    }
    for (; at < kPathUnits - 1 && *text != u'\0'; ++at, ++text) {
        buffer[at] = *text;
    }
    buffer[at] = u'\0';
}

// Queues the driver's copy, creates its service and commits the copy.
bool CopyFilesAndCreateService(platform::InfHandle inf, const char16_t* sourceRoot) {
    platform::FileQueue queue = platform::SetupOpenFileQueue();
    if (queue == nullptr) {
        return false;
    }
    bool done = false;
    if (platform::SetupInstallFilesFromInfSectionW(inf, queue, u"Install", sourceRoot,
                                                   platform::kSpCopySourceAbsolute) &&
        platform::SetupInstallServicesFromInfSectionW(inf, u"Install.Services", 0)) {
        if (platform::QueueContext context = platform::SetupInitDefaultQueueCallback()) {
            done = platform::SetupCommitFileQueueW(queue, context);
            platform::SetupTermDefaultQueueCallback(context);
        }
    }
    platform::SetupCloseFileQueue(queue);
    return done;
}

}  // namespace

int CTAVIR_NetSet::InstallDriverFiles(const char16_t* directory) {
    char16_t infPath[kPathUnits] = {};
    char16_t sourceRoot[kPathUnits] = {};
    Append(infPath, directory);
    Append(infPath, kInfName);
    Append(sourceRoot, directory);

    // An "oem" copy of the same file may be there from an earlier run: replace it. Whatever
    // else goes wrong here, the install below can still work from our own folder.
    if (!platform::SetupCopyOEMInfW(infPath, sourceRoot, platform::kSpostPath,
                                    platform::kSpCopyNoOverwrite) &&
        platform::GetLastError() == platform::kErrorFileExists) {
        platform::SetupCopyOEMInfW(infPath, sourceRoot, platform::kSpostPath,
                                   platform::kSpCopyReplaceOnly);
    }

    platform::InfHandle inf =
        platform::SetupOpenInfFileW(infPath, u"NetTrans", platform::kInfStyleWin4);
    if (inf == nullptr) {
        return 0;
    }
    platform::Guid classGuid = {};
    uint32_t required = 0;
    platform::SetupDiClassGuidsFromNameW(u"NetTrans", &classGuid, 1, &required);

    if (!CopyFilesAndCreateService(inf, sourceRoot)) {
        platform::SetupCloseInfFile(inf);
        return 0;
    }
    platform::RegistryKey classKey =
        platform::SetupDiOpenClassRegKey(&classGuid, platform::kKeyAllAccess);
    if (classKey == nullptr) {
        platform::SetupCloseInfFile(inf);
        return 0;
    }
    // The [Inst_Ndi] values go under the NetTrans class key (HKR).
    bool installed = platform::SetupInstallFromInfSectionW(
        inf, u"Install", kSpinstAllButFiles, classKey, sourceRoot, platform::kSpCopySourceAbsolute);
    platform::RegCloseKey(classKey);
    platform::SetupCloseInfFile(inf);
    return installed ? 1 : 0;
}

int CTAVIR_NetSet::NetCfgSetup(int install) {
    NetCfgSession session;
    if (!session.IsOpen()) {
        return 0;
    }
    platform::NetCfgClassSetup classSetup;
    if (!platform::Succeeded(
            platform::INetCfg_QueryNetCfgClass(session.netCfg(), kNetTransClass, &classSetup))) {
        return 0;
    }
    platform::OboToken token = {};
    token.Type = platform::kOboUser;
    platform::NetCfgComponent component;
    if (install == 1) {
        platform::INetCfgClassSetup_Install(classSetup, kComponentId, &token,
                                            platform::kNsfPostSysInstall, 0, u"", u"", &component);
    } else if (platform::INetCfg_FindComponent(session.netCfg(), kComponentId, &component) ==
               platform::kSOk) {
        platform::INetCfgClassSetup_DeInstall(classSetup, component, &token);
    }
    return 0;
}

}  // namespace corvane
