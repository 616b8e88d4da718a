#include "platform/sim/scheduler.h"

#include <cstdio>
#include <cstdlib>

namespace sim {

namespace {
thread_local int currentThread = 0;
}  // namespace

Scheduler::Scheduler() {
    threads_.push_back(std::make_unique<Thread>(Thread{.id = 0}));
}

Scheduler::~Scheduler() {
    for (auto& thread : threads_) {
        if (thread->thread.joinable()) {
            if (!thread->done) {
                std::fprintf(stderr, "simulated thread %d never ended\n", thread->id);
                std::abort();
            }
            thread->thread.join();
        }
    }
}

int Scheduler::CurrentThread() const {
    return currentThread;
}

int Scheduler::Spawn(std::function<void()> body) {
    std::unique_lock lock(mutex_);
    int id = static_cast<int>(threads_.size());
    auto thread =
        std::make_unique<Thread>(Thread{.id = id, .waiting = true, .ready = [] { return true; }});
    Thread* raw = thread.get();
    threads_.push_back(std::move(thread));
    raw->thread = std::thread([this, raw, body = std::move(body)] {
        currentThread = raw->id;
        {
            std::unique_lock inner(mutex_);
            WaitForBaton(inner, raw->id);
        }
        body();
        std::unique_lock inner(mutex_);
        raw->done = true;
        raw->waiting = false;
        HandOn(inner);
    });
    return id;
}

void Scheduler::Wait(Ready ready, std::optional<uint64_t> wakeAt) {
    std::unique_lock lock(mutex_);
    Thread& self = *threads_[currentThread];
    if (ready()) {
        return;
    }
    self.waiting = true;
    self.ready = std::move(ready);
    self.wakeAt = wakeAt;
    HandOn(lock);
    WaitForBaton(lock, self.id);
}

// Gives the baton to the first waiting thread that can go on, moving the clock to the next
// wake-up time when none can.
void Scheduler::HandOn(std::unique_lock<std::mutex>& lock) {
    while (true) {
        std::optional<uint64_t> next;
        for (auto& thread : threads_) {
            if (!thread->waiting) {
                continue;
            }
            bool due = thread->wakeAt && *thread->wakeAt <= now_;
            if (due || thread->ready()) {
                thread->waiting = false;
                thread->wakeAt.reset();
                running_ = thread->id;
                changed_.notify_all();
                return;
            }
            if (thread->wakeAt && (!next || *thread->wakeAt < *next)) {
                next = thread->wakeAt;
            }
        }
        if (next) {
            now_ = *next;
            continue;
        }
        bool anyWaiting = false;
        for (auto& thread : threads_) {
            anyWaiting = anyWaiting || thread->waiting;
        }
        if (!anyWaiting) {
            running_ = -1;
            return;
        }
        lock.unlock();
        bool woke = idleHook_ && idleHook_();
        lock.lock();
        if (!woke) {
            std::fprintf(stderr, "simulated threads are all waiting for each other\n");
            std::abort();
        }
    }
}

void Scheduler::WaitForBaton(std::unique_lock<std::mutex>& lock, int id) {
    changed_.wait(lock, [&] { return running_ == id; });
}

}  // namespace sim
