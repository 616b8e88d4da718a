#pragma once
// The simulated PC's threads run one at a time, handing a baton on, and its clock only moves
// when every thread waits: so runs are deterministic and waits cost nothing.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace sim {

class Scheduler {
  public:
    using Ready = std::function<bool()>;

    Scheduler();
    ~Scheduler();
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    uint64_t now() const { return now_; }
    int CurrentThread() const;

    // Starts a thread that runs when the baton comes to it; its id.
    int Spawn(std::function<void()> body);
    // Whether that thread has ended; for a Ready, which runs with the scheduler's lock held.
    bool HasEnded(int id) const { return threads_[static_cast<size_t>(id)]->done; }
    // The calling thread waits until `ready` holds or the clock reaches `wakeAt`.
    void Wait(Ready ready, std::optional<uint64_t> wakeAt);
    void Sleep(uint32_t milliseconds) {
        Wait([] { return false; }, now_ + milliseconds);
    }
    // Called when every thread waits for good; it may make one ready (a user who acts when
    // nothing else happens). False: the threads are stuck.
    void SetIdleHook(std::function<bool()> hook) { idleHook_ = std::move(hook); }

  private:
    struct Thread {
        int id;
        bool waiting = false;
        bool done = false;
        Ready ready;
        std::optional<uint64_t> wakeAt;
        std::thread thread;
    };

    void HandOn(std::unique_lock<std::mutex>& lock);
    void WaitForBaton(std::unique_lock<std::mutex>& lock, int id);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::unique_ptr<Thread>> threads_;  // [0] is the thread that made the PC
    int running_ = 0;
    uint64_t now_ = 0;
    std::function<bool()> idleHook_;
};

}  // namespace sim
