#include "sheet/ThreadConnectWorker.h"

#include <cassert>

namespace lumitag::sheet {

ThreadConnectWorker::~ThreadConnectWorker() {
    if (thread_.joinable())
        thread_.join();
}

void ThreadConnectWorker::start(std::function<void()> job) {
    {
        std::lock_guard lock(mutex_);
        assert(!running_ && "one connect at a time");
        running_ = true;
    }
    // The thread of the last job has ended its work: this join is immediate.
    if (thread_.joinable())
        thread_.join();
    thread_ = std::thread([this, job = std::move(job)] {
        try {
            job();
        } catch (...) {
            // The job reports its own outcome; nothing may end the program here.
        }
        std::lock_guard lock(mutex_);
        running_ = false;
        ended_.notify_all();
    });
}

bool ThreadConnectWorker::finished() {
    std::lock_guard lock(mutex_);
    return !running_;
}

bool ThreadConnectWorker::waitFor(std::chrono::milliseconds bound) {
    std::unique_lock lock(mutex_);
    return ended_.wait_for(lock, bound, [this] { return !running_; });
}

} // namespace lumitag::sheet
