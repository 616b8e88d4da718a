#include "platform/netcfg.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/sim/pc.h"

namespace platform {

namespace {

constexpr HResult kNoInterface = static_cast<HResult>(0x80004002);      // E_NOINTERFACE
constexpr HResult kInvalidArgument = static_cast<HResult>(0x80070057);  // E_INVALIDARG
constexpr HResult kNotInitialized = static_cast<HResult>(0x800401F0);   // CO_E_NOTINITIALIZED
constexpr HResult kHandleInvalid = static_cast<HResult>(0x80070006);

sim::DriverSetup& Setup() {
    return sim::CurrentPc().driverSetup();
}

std::optional<HResult> Failure(const std::string& call) {
    if (auto result = Setup().Failure(call)) {
        return static_cast<HResult>(*result);
    }
    return std::nullopt;
}

uintptr_t Id(void* object) {
    return reinterpret_cast<uintptr_t>(object);
}

void* NewObject(sim::Network::ComObject object) {
    sim::Pc& pc = sim::CurrentPc();
    uintptr_t id = pc.NextId();
    pc.network().comObjects()[id] = object;
    return reinterpret_cast<void*>(id);
}

sim::Network::ComObject* Object(const void* object, sim::Network::ComKind kind) {
    auto& objects = sim::CurrentPc().network().comObjects();
    auto found = objects.find(reinterpret_cast<uintptr_t>(object));
    return found != objects.end() && found->second.kind == kind ? &found->second : nullptr;
}

void* NewComponent(const std::u16string& infId) {
    sim::Pc& pc = sim::CurrentPc();
    uintptr_t id = pc.NextId();
    pc.driverSetup().componentObjects()[id] = infId;
    return reinterpret_cast<void*>(id);
}

std::vector<std::u16string>::iterator FindComponent(const std::u16string& infId) {
    auto& components = Setup().components();
    return std::find_if(components.begin(), components.end(), [&](const std::u16string& id) {
        return sim::FoldCase(id) == sim::FoldCase(infId);
    });
}

// The install section of the component in an "oem" copy in the INF directory.
std::optional<std::pair<sim::InfSections, std::u16string>> FindInstallSection(
    const std::u16string& infId) {
    sim::Pc& pc = sim::CurrentPc();
    std::u16string directory = sim::Pc::FoldPath(Setup().config().infDirectory) + u"\\OEM";
    for (const auto& [path, file] : pc.files()) {
        if (path.rfind(directory, 0) != 0 || file.directory) {
            continue;
        }
        sim::InfSections inf = sim::ParseInf(file.bytes);
        auto makers = sim::InfValues(inf, u"Manufacturer", u"");
        for (const auto& [key, value] : inf[u"manufacturer"]) {
            for (const auto& [model, line] : inf[sim::FoldCase(sim::InfFields(inf, value)[0])]) {
                std::vector<std::u16string> fields = sim::InfFields(inf, line);
                if (fields.size() >= 2 && sim::FoldCase(fields[1]) == sim::FoldCase(infId)) {
                    return std::make_pair(inf, fields[0]);
                }
            }
        }
    }
    return std::nullopt;
}

// The engine changes components only for the holder of the write lock, once initialised.
std::optional<HResult> CannotChange(const std::string& call) {
    if (auto failure = Failure(call)) {
        return failure;
    }
    if (!Setup().initialized()) {
        return kNetCfgNotInitialized;
    }
    if (!sim::CurrentPc().network().writeLockHeld()) {
        return kNetCfgNoWriteLock;
    }
    return std::nullopt;
}

bool Holds(const void* object, sim::Network::ComKind kind) {
    return Object(object, kind) != nullptr;
}

}  // namespace

HResult CoCreateNetCfg(NetCfg* netCfg) {
    Setup().calls().push_back("CoCreateInstance");
    if (sim::CurrentPc().network().comInitialized() <= 0) {
        return kNotInitialized;
    }
    if (auto failure = Failure("CoCreateInstance")) {
        return *failure;
    }
    netCfg->Reset(NewObject({sim::Network::ComKind::NetCfg}));
    return kSOk;
}

HResult INetCfg_QueryLock(const NetCfg& netCfg, NetCfgLock* lock) {
    if (auto failure = Failure("QueryInterface")) {
        return *failure;
    }
    if (!Holds(netCfg.get(), sim::Network::ComKind::NetCfg)) {
        return kNoInterface;
    }
    lock->Reset(NewObject({sim::Network::ComKind::Lock}));
    return kSOk;
}

HResult INetCfgLock_AcquireWriteLock(const NetCfgLock& lock, uint32_t timeoutMs, const char16_t*) {
    sim::Pc& pc = sim::CurrentPc();
    pc.driverSetup().calls().push_back("AcquireWriteLock " + std::to_string(timeoutMs));
    if (!Holds(lock.get(), sim::Network::ComKind::Lock)) {
        return kHandleInvalid;
    }
    if (Setup().config().writeLockHeldByOther) {
        pc.scheduler().Sleep(timeoutMs);
        return kSFalse;
    }
    pc.network().writeLockHeld() = true;
    return kSOk;
}

HResult INetCfgLock_ReleaseWriteLock(const NetCfgLock& lock) {
    Setup().calls().push_back("ReleaseWriteLock");
    if (!Holds(lock.get(), sim::Network::ComKind::Lock)) {
        return kHandleInvalid;
    }
    sim::CurrentPc().network().writeLockHeld() = false;
    return kSOk;
}

HResult INetCfg_Initialize(const NetCfg& netCfg) {
    Setup().calls().push_back("Initialize");
    if (!Holds(netCfg.get(), sim::Network::ComKind::NetCfg)) {
        return kHandleInvalid;
    }
    Setup().initialized() = true;
    return kSOk;
}

HResult INetCfg_Uninitialize(const NetCfg& netCfg) {
    Setup().calls().push_back("Uninitialize");
    if (!Holds(netCfg.get(), sim::Network::ComKind::NetCfg)) {
        return kHandleInvalid;
    }
    Setup().initialized() = false;
    return kSOk;
}

HResult INetCfg_QueryNetCfgClass(const NetCfg& netCfg, const Guid& classGuid,
                                 NetCfgClassSetup* classSetup) {
    Setup().calls().push_back("QueryNetCfgClass");
    if (auto failure = Failure("QueryNetCfgClass")) {
        return *failure;
    }
    if (!Holds(netCfg.get(), sim::Network::ComKind::NetCfg) || !Setup().initialized()) {
        return kNetCfgNotInitialized;
    }
    if (classGuid.Data1 != 0x4d36e975) {  // only GUID_DEVCLASS_NETTRANS is modelled
        return kInvalidArgument;
    }
    uintptr_t id = sim::CurrentPc().NextId();
    Setup().classSetups().insert(id);
    classSetup->Reset(reinterpret_cast<void*>(id));
    return kSOk;
}

HResult INetCfg_FindComponent(const NetCfg& netCfg, const char16_t* infId,
                              NetCfgComponent* component) {
    Setup().calls().push_back("FindComponent");
    if (auto failure = Failure("FindComponent")) {
        return *failure;
    }
    if (!Holds(netCfg.get(), sim::Network::ComKind::NetCfg) || !Setup().initialized()) {
        return kNetCfgNotInitialized;
    }
    auto found = FindComponent(infId);
    if (found == Setup().components().end()) {
        return kSFalse;
    }
    component->Reset(NewComponent(*found));
    return kSOk;
}

HResult INetCfgClassSetup_Install(const NetCfgClassSetup& classSetup, const char16_t* infId,
                                  OboToken*, uint32_t, uint32_t, const char16_t*, const char16_t*,
                                  NetCfgComponent* component) {
    Setup().calls().push_back("Install");
    if (Setup().classSetups().count(Id(classSetup.get())) == 0) {
        return kHandleInvalid;
    }
    if (auto refused = CannotChange("Install")) {
        return *refused;
    }
    auto section = FindInstallSection(infId);
    if (!section.has_value()) {
        return kNoDriverSelected;
    }
    sim::DriverSetup::InstallServices(section->first, section->second + u".Services",
                                      sim::CurrentPc().services());
    if (FindComponent(infId) == Setup().components().end()) {
        Setup().components().push_back(infId);
    }
    component->Reset(NewComponent(infId));
    return kSOk;
}

HResult INetCfgClassSetup_DeInstall(const NetCfgClassSetup& classSetup,
                                    const NetCfgComponent& component, OboToken*) {
    Setup().calls().push_back("DeInstall");
    auto object = Setup().componentObjects().find(Id(component.get()));
    if (Setup().classSetups().count(Id(classSetup.get())) == 0 ||
        object == Setup().componentObjects().end()) {
        return kHandleInvalid;
    }
    if (auto refused = CannotChange("DeInstall")) {
        return *refused;
    }
    if (auto section = FindInstallSection(object->second)) {
        sim::DriverSetup::InstallServices(section->first, section->second + u".Remove.Services",
                                          sim::CurrentPc().services());
    }
    auto found = FindComponent(object->second);
    if (found != Setup().components().end()) {
        Setup().components().erase(found);
    }
    return kSOk;
}

HResult INetCfg_Apply(const NetCfg& netCfg) {
    Setup().calls().push_back("Apply");
    if (!Holds(netCfg.get(), sim::Network::ComKind::NetCfg)) {
        return kHandleInvalid;
    }
    if (auto refused = CannotChange("Apply")) {
        return *refused;
    }
    ++sim::CurrentPc().network().applies();
    return kSOk;
}

HResult INetCfgComponent_QueryBindings(const NetCfgComponent& component,
                                       NetCfgComponentBindings* bindings) {
    auto object = Setup().componentObjects().find(Id(component.get()));
    if (object == Setup().componentObjects().end()) {
        return kHandleInvalid;
    }
    bool tcpip = sim::FoldCase(object->second) == u"ms_tcpip";
    bindings->Reset(NewObject({sim::Network::ComKind::Bindings, 0, tcpip}));
    return kSOk;
}

HResult INetCfgComponentBindings_EnumBindingPaths(const NetCfgComponentBindings& bindings,
                                                  uint32_t flags, EnumNetCfgBindingPath* paths) {
    Setup().calls().push_back("EnumBindingPaths " + std::to_string(flags));
    const auto* object = Object(bindings.get(), sim::Network::ComKind::Bindings);
    if (object == nullptr) {
        return kHandleInvalid;
    }
    if (auto failure = Failure("EnumBindingPaths")) {
        return *failure;
    }
    // Only the paths below TCP/IP, down to the adapters, are modelled.
    bool listsPaths = object->tcpip && flags == kEbpBelow;
    paths->Reset(NewObject({sim::Network::ComKind::PathEnum, 0, listsPaths}));
    return kSOk;
}

HResult IEnumNetCfgBindingPath_Reset(const EnumNetCfgBindingPath& paths) {
    auto* object = Object(paths.get(), sim::Network::ComKind::PathEnum);
    if (object == nullptr) {
        return kHandleInvalid;
    }
    object->position = 0;
    return kSOk;
}

HResult IEnumNetCfgBindingPath_Next(const EnumNetCfgBindingPath& paths, NetCfgBindingPath* path) {
    auto* object = Object(paths.get(), sim::Network::ComKind::PathEnum);
    if (object == nullptr) {
        return kHandleInvalid;
    }
    if (!object->tcpip || object->position >= sim::CurrentPc().network().bindingPaths().size()) {
        return kSFalse;
    }
    path->Reset(NewObject({sim::Network::ComKind::Path, object->position++}));
    return kSOk;
}

HResult INetCfgBindingPath_GetPathToken(const NetCfgBindingPath& path, char16_t** token) {
    const auto* object = Object(path.get(), sim::Network::ComKind::Path);
    if (object == nullptr) {
        return kHandleInvalid;
    }
    const std::u16string& text = sim::CurrentPc().network().bindingPaths()[object->position].token;
    *token = new char16_t[text.size() + 1];
    std::copy(text.begin(), text.end(), *token);
    (*token)[text.size()] = u'\0';
    sim::CurrentPc().network().tokens().insert(*token);
    return kSOk;
}

HResult INetCfgBindingPath_IsEnabled(const NetCfgBindingPath& path) {
    const auto* object = Object(path.get(), sim::Network::ComKind::Path);
    if (object == nullptr) {
        return kHandleInvalid;
    }
    return sim::CurrentPc().network().bindingPaths()[object->position].enabled ? kSOk : kSFalse;
}

HResult INetCfgBindingPath_Enable(const NetCfgBindingPath& path, bool enable) {
    Setup().calls().push_back(enable ? "Enable 1" : "Enable 0");
    const auto* object = Object(path.get(), sim::Network::ComKind::Path);
    if (object == nullptr) {
        return kHandleInvalid;
    }
    if (auto refused = CannotChange("Enable")) {
        return *refused;
    }
    sim::CurrentPc().network().bindingPaths()[object->position].enabled = enable;
    return kSOk;
}

}  // namespace platform
