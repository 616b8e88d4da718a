#pragma once
// The simulated PC's other programs: how the scenario describes them, and while a program
// runs their threads (with suspend counts), their top-level windows and how they end.

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace sim {

struct WindowConfig {
    std::u16string className;
    bool closesOnWmClose = true;  // false: the program takes no notice of WM_CLOSE
    bool hung = false;            // its thread answers no message
};

struct ProcessConfig {
    std::u16string image;  // the executable's full path
    std::u16string arguments;
    uint32_t processId = 0;  // 0: the PC gives one
    int threads = 1;
    std::vector<WindowConfig> windows;
    bool terminateRefused = false;  // opening it for termination is denied
    bool vanishes = false;          // it ends right after a snapshot has listed it
};

class ProcessTable {
  public:
    struct Thread {
        uint32_t id;
        uint32_t suspendCount = 0;
    };
    struct Window {
        uintptr_t handle;
        WindowConfig config;
    };
    struct Process {
        uint32_t id;
        std::u16string image;
        std::u16string arguments;
        std::vector<Thread> threads;
        std::vector<Window> windows;
        bool terminateRefused = false;
        bool vanishes = false;
        bool running = true;
    };

    explicit ProcessTable(const std::vector<ProcessConfig>& processes);

    // Every process the run saw, ended ones too, in start order.
    std::deque<Process>& all() { return processes_; }
    Process* Running(uint32_t processId);
    Process* OwnerOfThread(uint32_t threadId);
    // The running process that owns the window, and the window; nullptr when none does.
    Process* OwnerOfWindow(uintptr_t handle, Window** window);

    // A program the scenario ran comes up again as it was (its threads and windows), any
    // other with one thread and no window.
    Process& Start(const std::u16string& image, const std::u16string& arguments);
    void End(Process& process);

    // The file name of an image path, as Toolhelp reports it.
    static std::u16string ExeName(const std::u16string& image);

  private:
    Process Make(const ProcessConfig& config);

    std::vector<ProcessConfig> templates_;
    std::deque<Process> processes_;
    uint32_t nextId_ = 0x600;
};

}  // namespace sim
