#include "platform/sim/process_model.h"

#include <algorithm>

namespace sim {

namespace {

std::u16string Folded(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return text;
}

}  // namespace

ProcessTable::ProcessTable(const std::vector<ProcessConfig>& processes) : templates_(processes) {
    for (const ProcessConfig& config : processes) {
        processes_.push_back(Make(config));
    }
}

ProcessTable::Process ProcessTable::Make(const ProcessConfig& config) {
    Process process{.id = config.processId != 0 ? config.processId : (nextId_ += 4),
                    .image = config.image,
                    .arguments = config.arguments,
                    .terminateRefused = config.terminateRefused,
                    .vanishes = config.vanishes};
    for (int i = 0; i < std::max(config.threads, 1); ++i) {
        process.threads.push_back({nextId_ += 4});
    }
    for (const WindowConfig& window : config.windows) {
        process.windows.push_back({nextId_ += 4, window});
    }
    return process;
}

ProcessTable::Process* ProcessTable::Running(uint32_t processId) {
    for (Process& process : processes_) {
        if (process.running && process.id == processId) {
            return &process;
        }
    }
    return nullptr;
}

ProcessTable::Process* ProcessTable::OwnerOfThread(uint32_t threadId) {
    for (Process& process : processes_) {
        for (const Thread& thread : process.threads) {
            if (process.running && thread.id == threadId) {
                return &process;
            }
        }
    }
    return nullptr;
}

ProcessTable::Process* ProcessTable::OwnerOfWindow(uintptr_t handle, Window** window) {
    for (Process& process : processes_) {
        for (Window& candidate : process.windows) {
            if (process.running && candidate.handle == handle) {
                *window = &candidate;
                return &process;
            }
        }
    }
    return nullptr;
}

ProcessTable::Process& ProcessTable::Start(const std::u16string& image,
                                           const std::u16string& arguments) {
    ProcessConfig config{.image = image};
    for (const ProcessConfig& ran : templates_) {
        if (Folded(ran.image) == Folded(image)) {
            config = ran;
            config.processId = 0;
            config.vanishes = false;
        }
    }
    config.image = image;
    config.arguments = arguments;
    return processes_.emplace_back(Make(config));
}

void ProcessTable::End(Process& process) {
    process.running = false;
    process.windows.clear();
}

std::u16string ProcessTable::ExeName(const std::u16string& image) {
    size_t slash = image.find_last_of(u"\\/");
    return slash == std::u16string::npos ? image : image.substr(slash + 1);
}

}  // namespace sim
