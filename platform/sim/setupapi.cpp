#include "platform/setupapi.h"

#include <string>

#include "platform/kernel.h"
#include "platform/sim/pc.h"

namespace platform {

namespace {

constexpr uint32_t kSpinstRegistry = 0x04;
constexpr char16_t kNetTransClassKey[] =
    u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\"
    u"{4D36E975-E325-11CE-BFC1-08002BE10318}";
constexpr Guid kNetTrans = {
    0x4d36e975, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

sim::DriverSetup& Setup() {
    return sim::CurrentPc().driverSetup();
}

// True when the scenario makes `call` fail; the last error says with what.
bool Fails(const std::string& call) {
    if (auto error = Setup().Failure(call)) {
        SetLastError(*error);
        return true;
    }
    return false;
}

bool Failed(uint32_t error) {
    SetLastError(error);
    return false;
}

std::u16string Folder(const std::u16string& path) {
    size_t slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? u"" : path.substr(0, slash);
}

// The "oem" copy of the same bytes in the INF directory, or the free name for a new one.
std::pair<std::u16string, bool> OemCopy(sim::Pc& pc, const std::string& bytes) {
    const std::u16string& directory = pc.driverSetup().config().infDirectory;
    std::u16string freeName;
    for (int n = 0;; ++n) {
        std::u16string path = directory + u"\\oem";
        for (char c : std::to_string(n)) {
            path.push_back(static_cast<char16_t>(c));
        }
        path += u".inf";
        const sim::File* file = pc.FindFile(path);
        if (file == nullptr) {
            return {path, false};
        }
        if (file->bytes == bytes) {
            return {path, true};
        }
    }
}

sim::DriverSetup::Inf* FindInf(InfHandle inf) {
    auto found = Setup().infs().find(reinterpret_cast<uintptr_t>(inf));
    return found == Setup().infs().end() ? nullptr : &found->second;
}

// The folder of a DestinationDirs entry: 12 is the drivers folder, 11 the system folder.
std::u16string Destination(const sim::InfSections& inf, const std::u16string& list) {
    auto dirs = sim::InfValues(inf, u"DestinationDirs", list);
    if (!dirs.has_value() || dirs->empty()) {
        dirs = sim::InfValues(inf, u"DestinationDirs", u"DefaultDestDir");
    }
    std::u16string id =
        dirs.has_value() && !dirs->empty() ? sim::InfFields(inf, dirs->front()).front() : u"11";
    const std::u16string& system = sim::CurrentPc().scenario().systemDirectory;
    return id == u"12" ? system + u"\\drivers" : system;
}

}  // namespace

bool SetupCopyOEMInfW(const char16_t* sourceInfFileName, const char16_t*, uint32_t,
                      uint32_t copyStyle) {
    sim::Pc& pc = sim::CurrentPc();
    pc.driverSetup().calls().push_back(
        std::string("SetupCopyOEMInfW ") +
        (copyStyle & kSpCopyReplaceOnly ? "REPLACEONLY" : "NOOVERWRITE"));
    if (Fails("SetupCopyOEMInfW")) {
        return false;
    }
    const sim::File* source = pc.FindFile(sourceInfFileName);
    if (source == nullptr || source->directory) {
        return Failed(kErrorFileNotFound);
    }
    auto [path, exists] = OemCopy(pc, source->bytes);
    if (exists && (copyStyle & kSpCopyNoOverwrite)) {
        return Failed(kErrorFileExists);
    }
    if (!exists && (copyStyle & kSpCopyReplaceOnly)) {
        return Failed(kErrorFileNotFound);
    }
    pc.PutFile(path, sim::File{.bytes = source->bytes});
    SetLastError(kErrorSuccess);
    return true;
}

InfHandle SetupOpenInfFileW(const char16_t* fileName, const char16_t* infClass, uint32_t) {
    sim::Pc& pc = sim::CurrentPc();
    pc.driverSetup().calls().push_back("SetupOpenInfFileW");
    if (Fails("SetupOpenInfFileW")) {
        return nullptr;
    }
    const sim::File* file = pc.FindFile(fileName);
    if (file == nullptr || file->directory) {
        SetLastError(kErrorFileNotFound);
        return nullptr;
    }
    sim::InfSections sections = sim::ParseInf(file->bytes);
    auto declared = sim::InfValues(sections, u"Version", u"Class");
    if (infClass != nullptr && (!declared.has_value() || declared->empty() ||
                                sim::FoldCase(declared->front()) != sim::FoldCase(infClass))) {
        SetLastError(kErrorClassMismatch);
        return nullptr;
    }
    uintptr_t id = pc.NextId();
    pc.driverSetup().infs()[id] = {fileName, std::move(sections)};
    return reinterpret_cast<InfHandle>(id);
}

void SetupCloseInfFile(InfHandle inf) {
    Setup().infs().erase(reinterpret_cast<uintptr_t>(inf));
}

bool SetupDiClassGuidsFromNameW(const char16_t* className, Guid* classGuidList,
                                uint32_t classGuidListSize, uint32_t* requiredSize) {
    if (Fails("SetupDiClassGuidsFromNameW")) {
        return false;
    }
    bool known = sim::FoldCase(className) == u"nettrans";
    *requiredSize = known ? 1 : 0;
    if (known && classGuidListSize < 1) {
        return Failed(kErrorInsufficientBuffer);
    }
    if (known) {
        *classGuidList = kNetTrans;
    }
    return true;
}

FileQueue SetupOpenFileQueue() {
    sim::Pc& pc = sim::CurrentPc();
    pc.driverSetup().calls().push_back("SetupOpenFileQueue");
    if (Fails("SetupOpenFileQueue")) {
        return nullptr;
    }
    uintptr_t id = pc.NextId();
    pc.driverSetup().queues()[id] = {};
    return reinterpret_cast<FileQueue>(id);
}

bool SetupCloseFileQueue(FileQueue queue) {
    return Setup().queues().erase(reinterpret_cast<uintptr_t>(queue)) == 1 ||
           Failed(kErrorInvalidParameter);
}

bool SetupInstallFilesFromInfSectionW(InfHandle inf, FileQueue queue, const char16_t* sectionName,
                                      const char16_t* sourceRootPath, uint32_t) {
    Setup().calls().push_back("SetupInstallFilesFromInfSectionW");
    if (Fails("SetupInstallFilesFromInfSectionW")) {
        return false;
    }
    sim::DriverSetup::Inf* file = FindInf(inf);
    auto found = Setup().queues().find(reinterpret_cast<uintptr_t>(queue));
    if (file == nullptr || found == Setup().queues().end()) {
        return Failed(kErrorInvalidParameter);
    }
    auto lists = sim::InfValues(file->sections, sectionName, u"CopyFiles");
    if (!lists.has_value()) {
        return Failed(kErrorSectionNotFound);
    }
    std::u16string root = sourceRootPath;
    if (!root.empty() && root.back() != u'\\') {
        root.push_back(u'\\');
    }
    for (const std::u16string& value : *lists) {
        for (const std::u16string& list : sim::InfFields(file->sections, value)) {
            auto lines = sim::InfValues(file->sections, list, u"");
            if (!lines.has_value()) {
                return Failed(kErrorSectionNotFound);
            }
            std::u16string destination = Destination(file->sections, list);
            for (const std::u16string& line : *lines) {
                std::u16string name = sim::InfFields(file->sections, line).front();
                found->second.emplace_back(root + name, destination + u"\\" + name);
            }
        }
    }
    return true;
}

bool SetupInstallServicesFromInfSectionW(InfHandle inf, const char16_t* sectionName, uint32_t) {
    Setup().calls().push_back("SetupInstallServicesFromInfSectionW");
    if (Fails("SetupInstallServicesFromInfSectionW")) {
        return false;
    }
    sim::DriverSetup::Inf* file = FindInf(inf);
    if (file == nullptr) {
        return Failed(kErrorInvalidParameter);
    }
    return sim::DriverSetup::InstallServices(file->sections, sectionName,
                                             sim::CurrentPc().services()) ||
           Failed(kErrorSectionNotFound);
}

QueueContext SetupInitDefaultQueueCallback() {
    sim::Pc& pc = sim::CurrentPc();
    pc.driverSetup().calls().push_back("SetupInitDefaultQueueCallback");
    if (Fails("SetupInitDefaultQueueCallback")) {
        return nullptr;
    }
    uintptr_t id = pc.NextId();
    pc.driverSetup().queueContexts().insert(id);
    return reinterpret_cast<QueueContext>(id);
}

void SetupTermDefaultQueueCallback(QueueContext context) {
    Setup().queueContexts().erase(reinterpret_cast<uintptr_t>(context));
}

bool SetupCommitFileQueueW(FileQueue queue, QueueContext context) {
    sim::Pc& pc = sim::CurrentPc();
    pc.driverSetup().calls().push_back("SetupCommitFileQueueW");
    if (Fails("SetupCommitFileQueueW")) {
        return false;
    }
    auto found = pc.driverSetup().queues().find(reinterpret_cast<uintptr_t>(queue));
    if (found == pc.driverSetup().queues().end() ||
        pc.driverSetup().queueContexts().count(reinterpret_cast<uintptr_t>(context)) == 0) {
        return Failed(kErrorInvalidParameter);
    }
    for (const auto& [source, destination] : found->second) {
        const sim::File* file = pc.FindFile(source);
        const sim::File* folder = pc.FindFile(Folder(destination));
        // Without a window the default callback cannot ask for the missing file: it cancels.
        if (file == nullptr || file->directory || folder == nullptr || !folder->directory) {
            return Failed(kErrorCancelled);
        }
        pc.PutFile(destination, *file);
    }
    return true;
}

RegistryKey SetupDiOpenClassRegKey(const Guid* classGuid, uint32_t samDesired) {
    sim::Pc& pc = sim::CurrentPc();
    pc.driverSetup().calls().push_back("SetupDiOpenClassRegKey");
    if (Fails("SetupDiOpenClassRegKey")) {
        return nullptr;
    }
    if (classGuid == nullptr || classGuid->Data1 != kNetTrans.Data1) {
        SetLastError(kErrorInvalidClass);
        return nullptr;
    }
    sim::Registry& registry = pc.network().registry();
    registry.Create(kNetTransClassKey);
    uintptr_t id = pc.NextId();
    registry.Open(id, {sim::Registry::Fold(kNetTransClassKey), (samDesired & 0x2) != 0});
    return reinterpret_cast<RegistryKey>(id);
}

bool SetupInstallFromInfSectionW(InfHandle inf, const char16_t* sectionName, uint32_t flags,
                                 RegistryKey relativeKeyRoot, const char16_t*, uint32_t) {
    sim::Pc& pc = sim::CurrentPc();
    pc.driverSetup().calls().push_back("SetupInstallFromInfSectionW");
    if (Fails("SetupInstallFromInfSectionW")) {
        return false;
    }
    sim::DriverSetup::Inf* file = FindInf(inf);
    sim::Registry::OpenKey* key =
        pc.network().registry().Lookup(reinterpret_cast<uintptr_t>(relativeKeyRoot));
    if (file == nullptr || key == nullptr) {
        return Failed(kErrorInvalidParameter);
    }
    auto lists = sim::InfValues(file->sections, sectionName, u"AddReg");
    if (!lists.has_value()) {
        return Failed(kErrorSectionNotFound);
    }
    if ((flags & kSpinstRegistry) == 0) {
        return true;
    }
    for (const std::u16string& value : *lists) {
        for (const std::u16string& list : sim::InfFields(file->sections, value)) {
            for (const std::u16string& line : sim::InfValues(file->sections, list, u"")
                                                  .value_or(std::vector<std::u16string>{})) {
                // HKR,subkey,value name,flags,data: a string value under the relative key.
                std::vector<std::u16string> fields = sim::InfFields(file->sections, line);
                fields.resize(5);
                std::u16string path = key->path + u"\\" + fields[1];
                std::string bytes;
                for (char16_t c : fields[4] + u'\0') {
                    bytes.push_back(static_cast<char>(c & 0xFF));
                    bytes.push_back(static_cast<char>(c >> 8));
                }
                pc.network().registry().Create(path).values[sim::Registry::Fold(fields[2])] = {
                    fields[2], sim::RegistryValue{1, bytes}};
            }
        }
    }
    return true;
}

}  // namespace platform
