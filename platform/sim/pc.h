#pragma once
// The state of the simulated PC while a program runs on it: the scenario plus everything the
// program changed (objects, fonts, started programs) and the virtual clock.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "driver/core/protocol_core.h"
#include "platform/sim/dialog_host.h"
#include "platform/sim/netcfg_model.h"
#include "platform/sim/network_model.h"
#include "platform/sim/process_model.h"
#include "platform/sim/scenario.h"
#include "platform/sim/scheduler.h"
#include "platform/sim/services_model.h"
#include "platform/sim/wlan_service.h"
#include "platform/types.h"

namespace sim {

struct NamedMutex {
    std::string name;
};
struct NamedMapping {
    std::string name;
    std::shared_ptr<std::vector<uint8_t>> memory;
};
struct OpenFile {
    std::u16string path;
};
struct SimThread {
    int schedulerId;
};
// A handle on our protocol driver's control device: what the driver keeps for its file.
struct ProtocolOpen {
    CvFile file{-1, 0};
};
struct ProtocolDriver;
// Toolhelp's copy of the processes or threads at the time it was taken.
struct ToolhelpSnapshot {
    std::vector<std::pair<uint32_t, std::u16string>> processes;  // id, executable name
    std::vector<std::pair<uint32_t, uint32_t>> threads;          // id, owning process
    size_t nextProcess = 0;
    size_t nextThread = 0;
};
struct ProcessHandle {
    uint32_t processId;
    uint32_t access;
};
struct ThreadHandle {
    uint32_t threadId;
};
// FindFirstFileW's matches, as they are spelled, and the next to hand out.
struct FileSearch {
    std::u16string folder;  // folded, with its backslash
    std::vector<std::u16string> names;
    size_t next = 0;
};
using KernelObject = std::variant<NamedMutex, NamedMapping, OpenFile, SimThread, ProtocolOpen,
                                  ToolhelpSnapshot, ProcessHandle, ThreadHandle, FileSearch>;

// A shell link object: one object that answers as IShellLinkW and as IPersistFile.
struct ShellLinkObject {
    bool loaded = false;
    Shortcut shortcut;
};

struct FontRecord {
    int height = 0;
    int weight = 0;
    uint32_t charSet = 0;
    uint32_t pitchAndFamily = 0;
    std::u16string face;
};

struct MessageBoxShown {
    std::u16string text;
    std::u16string caption;
    uint32_t type = 0;
};

struct ProgramStart {
    std::u16string verb;
    std::u16string file;
    std::u16string parameters;
    std::u16string directory;
    int show = 0;
    // The named kernel objects open on the PC when it was started.
    std::set<std::string> namedObjects;
};

class Pc {
  public:
    explicit Pc(Scenario scenario);

    const Scenario& scenario() const { return scenario_; }
    // The program started by `start` runs next on this PC, with the resources the scenario
    // gives it: its module path, command line, working directory and resources take the place
    // of the program that started it, which has ended.
    void RunStartedProgram(const ProgramStart& start);

    // Virtual time in milliseconds since the program started.
    uint64_t now() const { return scheduler_.now(); }
    Scheduler& scheduler() { return scheduler_; }
    DialogHost& dialogs() { return dialogs_; }
    platform::SystemTime LocalTime() const;

    // Files, keyed by folded path.
    const File* FindFile(const std::u16string& path) const;
    File* FindFile(const std::u16string& path);
    void PutFile(const std::u16string& path, File file);
    const std::map<std::u16string, File>& files() const { return files_; }
    static std::u16string FoldPath(std::u16string path);
    // A file's path as it was first written.
    std::u16string Spelling(const std::u16string& path) const;

    platform::Handle AddObject(KernelObject object);
    KernelObject* FindObject(platform::Handle handle);
    bool RemoveObject(platform::Handle handle);
    bool IsNamedObjectOpen(const std::string& name) const;
    std::set<std::string> NamedObjects() const;
    template <typename T>
    size_t CountObjects() const {
        size_t count = 0;
        for (const auto& [id, object] : objects_) {
            count += std::holds_alternative<T>(object) ? 1 : 0;
        }
        return count;
    }
    std::shared_ptr<std::vector<uint8_t>> FindMapping(const std::string& name) const;
    // The memory of the open mapping that holds `address`, or nullptr.
    std::shared_ptr<std::vector<uint8_t>> FindMappingAt(const void* address) const;

    std::map<uintptr_t, FontRecord>& fonts() { return fonts_; }
    std::vector<ProgramStart>& programStarts() { return programStarts_; }
    std::vector<MessageBoxShown>& messageBoxes() { return messageBoxes_; }
    // The class masks InitCommonControlsEx was called with.
    std::vector<uint32_t>& commonControls() { return commonControls_; }
    int& openItemLists() { return openItemLists_; }
    uint64_t& bytesWritten() { return bytesWritten_; }  // by WriteFile, for a full disk
    uintptr_t NextId() { return nextId_++; }
    // Adapters due to be pulled out by now are gone before anyone looks.
    Network& network() {
        network_.UnplugDue(now());
        return network_;
    }
    DriverSetup& driverSetup() { return driverSetup_; }
    ServiceManager& services() { return services_; }
    ProcessTable& processes() { return processes_; }
    // The interface pointers of shell link objects the program holds, to their object.
    std::map<uintptr_t, std::shared_ptr<ShellLinkObject>>& shellLinks() { return shellLinks_; }

    WlanService& wlan() { return wlan_; }
    // The libraries the program loaded, by the path they were found at; and how many it holds.
    std::vector<std::u16string>& libraryLoads() { return libraryLoads_; }
    int& librariesHeld() { return librariesHeld_; }
    // Our protocol driver while its service runs, loaded on first use; none before.
    std::shared_ptr<ProtocolDriver>& protocolDriver() { return protocolDriver_; }

    // What the program wrote to the debugger, line by line as it sent them.
    std::vector<std::string>& debugOutput() { return debugOutput_; }

    // Each critical section taken while the same thread held another: (held, taken).
    using LockOrder = std::pair<const void*, const void*>;
    void NoteLockOrder(const void* held, const void* taken);
    std::set<LockOrder> LockOrders();

  private:
    void AddFolders(const std::u16string& path);

    Scenario scenario_;
    std::map<std::u16string, File> files_;
    std::map<std::u16string, std::u16string> spellings_;
    std::map<uintptr_t, KernelObject> objects_;
    std::map<uintptr_t, FontRecord> fonts_;
    std::vector<ProgramStart> programStarts_;
    std::vector<MessageBoxShown> messageBoxes_;
    std::vector<uint32_t> commonControls_;
    int openItemLists_ = 0;
    uint64_t bytesWritten_ = 0;
    uintptr_t nextId_ = 0x100;
    std::vector<std::string> debugOutput_;
    std::mutex lockOrdersMutex_;  // real threads of the host tests take locks too
    std::set<LockOrder> lockOrders_;
    Network network_;
    DriverSetup driverSetup_{scenario_.driverSetup};
    ServiceManager services_;
    ProcessTable processes_{scenario_.processes};
    std::map<uintptr_t, std::shared_ptr<ShellLinkObject>> shellLinks_;
    WlanService wlan_{scenario_.network};
    std::vector<std::u16string> libraryLoads_;
    int librariesHeld_ = 0;
    std::shared_ptr<ProtocolDriver> protocolDriver_;
    DialogHost dialogs_;
    // Last, so that it is the first to go: it waits for the threads that still run.
    Scheduler scheduler_;
};

// The critical sections the calling thread holds, innermost last.
std::vector<const void*> HeldCriticalSections();

// The PC that the platform calls act on. A fresh default PC exists before any is installed.
Pc& CurrentPc();
Pc& InstallPc(Scenario scenario);

}  // namespace sim
