#include "platform/sim/pc.h"

#include <algorithm>
#include <chrono>

namespace sim {

namespace {

// The answers of the scenario for the dialogs it gives no actions for.
std::vector<UserAction> WithDefaultAnswers(const Scenario& scenario) {
    std::vector<UserAction> actions = scenario.actions;
    auto missing = [&](int templateId) {
        return std::none_of(actions.begin(), actions.end(), [&](const UserAction& action) {
            return action.templateId == templateId;
        });
    };
    if (missing(132)) {
        actions.push_back({132, UserAction::Kind::Button, scenario.agree ? 1 : 2, 0});
    }
    if (missing(131)) {
        actions.push_back({131, UserAction::Kind::Button, scenario.start ? 1 : 2, 0});
    }
    // Whatever else happens, the user closes the inspection dialog once nothing moves.
    actions.push_back({130, UserAction::Kind::Button, 1, std::nullopt});
    return actions;
}

}  // namespace

Pc::Pc(Scenario scenario)
    : scenario_(std::move(scenario)),
      network_(scenario_.network),
      services_(scenario_.services),
      dialogs_(scheduler_, WithDefaultAnswers(scenario_)) {
    scheduler_.SetIdleHook([this] { return dialogs_.ActWhenIdle(); });
    for (const auto& [path, file] : scenario_.files) {
        PutFile(path, file);
    }
    AddFolders(scenario_.modulePath);
    if (!scenario_.currentDirectory.empty()) {
        PutFile(scenario_.currentDirectory, File{.directory = true});
    }
    if (!scenario_.desktopPath.empty()) {
        PutFile(scenario_.desktopPath, File{.directory = true});
    }
    for (const std::u16string* folder : {&scenario_.startupPath, &scenario_.commonStartupPath}) {
        if (!folder->empty() && FindFile(*folder) == nullptr) {
            PutFile(*folder, File{.directory = true});
        }
    }
}

void Pc::RunStartedProgram(const ProgramStart& start) {
    std::u16string name = FoldPath(start.file.substr(start.file.rfind(u'\\') + 1));
    scenario_.resources.clear();
    for (const auto& [program, resources] : scenario_.startedResources) {
        if (FoldPath(program) == name) {
            scenario_.resources = resources;
        }
    }
    scenario_.strings.clear();
    scenario_.modulePath = start.file;
    // The shell puts the program's path, quoted, before the parameters.
    scenario_.commandLine = u"\"" + start.file + u"\" " + start.parameters;
    scenario_.currentDirectory = start.directory;
}

platform::SystemTime Pc::LocalTime() const {
    using namespace std::chrono;
    const platform::SystemTime& start = scenario_.startTime;
    sys_days day = year{start.wYear} / month{start.wMonth} / std::chrono::day{start.wDay};
    sys_time<milliseconds> t = day + hours{start.wHour} + minutes{start.wMinute} +
                               seconds{start.wSecond} + milliseconds{start.wMilliseconds} +
                               milliseconds{now()};
    sys_days today = floor<days>(t);
    year_month_day date{today};
    hh_mm_ss<milliseconds> time{t - today};
    return platform::SystemTime{
        .wYear = static_cast<uint16_t>(static_cast<int>(date.year())),
        .wMonth = static_cast<uint16_t>(static_cast<unsigned>(date.month())),
        .wDayOfWeek = static_cast<uint16_t>(weekday{today}.c_encoding()),
        .wDay = static_cast<uint16_t>(static_cast<unsigned>(date.day())),
        .wHour = static_cast<uint16_t>(time.hours().count()),
        .wMinute = static_cast<uint16_t>(time.minutes().count()),
        .wSecond = static_cast<uint16_t>(time.seconds().count()),
        .wMilliseconds = static_cast<uint16_t>(time.subseconds().count()),
    };
}

std::u16string Pc::FoldPath(std::u16string path) {
    for (char16_t& c : path) {
        if (c == u'/') {
            c = u'\\';
        } else if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    while (path.size() > 3 && path.back() == u'\\') {
        path.pop_back();
    }
    return path;
}

const File* Pc::FindFile(const std::u16string& path) const {
    auto found = files_.find(FoldPath(path));
    return found == files_.end() ? nullptr : &found->second;
}

File* Pc::FindFile(const std::u16string& path) {
    auto found = files_.find(FoldPath(path));
    return found == files_.end() ? nullptr : &found->second;
}

void Pc::AddFolders(const std::u16string& path) {
    std::u16string folded = FoldPath(path);
    for (size_t slash = folded.find(u'\\'); slash != std::u16string::npos;
         slash = folded.find(u'\\', slash + 1)) {
        std::u16string folder = folded.substr(0, slash == 2 ? 3 : slash);
        files_.try_emplace(folder, File{.directory = true});
    }
}

void Pc::PutFile(const std::u16string& path, File file) {
    AddFolders(path);
    std::u16string folded = FoldPath(path);
    spellings_.try_emplace(folded, path);
    files_[folded] = std::move(file);
}

std::u16string Pc::Spelling(const std::u16string& path) const {
    std::u16string folded = FoldPath(path);
    auto found = spellings_.find(folded);
    return found == spellings_.end() ? folded : found->second;
}

platform::Handle Pc::AddObject(KernelObject object) {
    uintptr_t id = NextId();
    objects_.emplace(id, std::move(object));
    return reinterpret_cast<platform::Handle>(id);
}

KernelObject* Pc::FindObject(platform::Handle handle) {
    auto found = objects_.find(reinterpret_cast<uintptr_t>(handle));
    return found == objects_.end() ? nullptr : &found->second;
}

bool Pc::RemoveObject(platform::Handle handle) {
    return objects_.erase(reinterpret_cast<uintptr_t>(handle)) == 1;
}

static const std::string& NameOf(const KernelObject& object) {
    static const std::string kUnnamed;  // files
    return std::visit(
        [](const auto& item) -> const std::string& {
            if constexpr (requires { item.name; }) {
                return item.name;
            } else {
                return kUnnamed;
            }
        },
        object);
}

bool Pc::IsNamedObjectOpen(const std::string& name) const {
    for (const auto& [id, object] : objects_) {
        if (NameOf(object) == name) {
            return true;
        }
    }
    return false;
}

std::set<std::string> Pc::NamedObjects() const {
    std::set<std::string> names;
    for (const auto& [id, object] : objects_) {
        if (!NameOf(object).empty()) {
            names.insert(NameOf(object));
        }
    }
    return names;
}

std::shared_ptr<std::vector<uint8_t>> Pc::FindMapping(const std::string& name) const {
    for (const auto& [id, object] : objects_) {
        if (const auto* mapping = std::get_if<NamedMapping>(&object);
            mapping != nullptr && mapping->name == name) {
            return mapping->memory;
        }
    }
    return nullptr;
}

std::shared_ptr<std::vector<uint8_t>> Pc::FindMappingAt(const void* address) const {
    auto* byte = static_cast<const uint8_t*>(address);
    for (const auto& [id, object] : objects_) {
        if (const auto* mapping = std::get_if<NamedMapping>(&object); mapping != nullptr) {
            const std::vector<uint8_t>& memory = *mapping->memory;
            if (byte >= memory.data() && byte < memory.data() + memory.size()) {
                return mapping->memory;
            }
        }
    }
    return nullptr;
}

void Pc::NoteLockOrder(const void* held, const void* taken) {
    std::lock_guard hold(lockOrdersMutex_);
    lockOrders_.insert({held, taken});
}

std::set<Pc::LockOrder> Pc::LockOrders() {
    std::lock_guard hold(lockOrdersMutex_);
    return lockOrders_;
}

static std::unique_ptr<Pc>& Storage() {
    static std::unique_ptr<Pc> pc = std::make_unique<Pc>(Scenario{});
    return pc;
}

Pc& CurrentPc() {
    return *Storage();
}

Pc& InstallPc(Scenario scenario) {
    Storage() = std::make_unique<Pc>(std::move(scenario));
    return *Storage();
}

}  // namespace sim
