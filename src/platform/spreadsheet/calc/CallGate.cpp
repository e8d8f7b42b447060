#include "platform/spreadsheet/calc/CallGate.h"

#include <stdexcept>

namespace lumitag::platform::calc {

CallGate::CallGate(std::function<void()> abort) : abort_(std::move(abort)), thread_([this] { loop(); }) {}

CallGate::~CallGate() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void CallGate::run(const std::function<void()>& work, std::chrono::milliseconds timeout) {
    if (std::this_thread::get_id() == thread_.get_id()) {
        work();
        return;
    }
    std::lock_guard caller(callerMutex_);
    std::unique_lock lock(mutex_);
    work_ = &work;
    done_ = false;
    error_ = nullptr;
    changed_.notify_all();
    bool overran = false;
    if (!changed_.wait_for(lock, timeout, [this] { return done_; })) {
        overran = true;
        lock.unlock();
        abort_();
        lock.lock();
        // The work refers to the caller's stack: it must have ended before we return.
        changed_.wait(lock, [this] { return done_; });
    }
    work_ = nullptr;
    if (overran) {
        throw std::runtime_error("the spreadsheet did not answer in time");
    }
    if (error_) {
        std::rethrow_exception(error_);
    }
}

void CallGate::loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || (work_ != nullptr && !done_); });
        if (stopping_) {
            return;
        }
        const std::function<void()>* work = work_;
        lock.unlock();
        std::exception_ptr error;
        try {
            (*work)();
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        error_ = error;
        done_ = true;
        changed_.notify_all();
    }
}

} // namespace lumitag::platform::calc
