#include "platform/spreadsheet/calc/CallGate.h"

#include <stdexcept>

namespace lumitag::platform::calc {

CallGate::CallGate(std::function<void()> abort, std::chrono::milliseconds abortGrace)
    : abort_(std::move(abort)), abortGrace_(abortGrace), thread_([this] { loop(); }) {}

CallGate::~CallGate() {
    bool stuck = false;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        stuck = !done_;
    }
    changed_.notify_all();
    if (stuck) {
        // Only a call left behind can still run: joining would hang.
        thread_.detach();
    } else {
        thread_.join();
    }
}

bool CallGate::leftCallBehind() const {
    std::lock_guard lock(mutex_);
    return leftBehind_;
}

void CallGate::run(std::function<void()> work, std::chrono::milliseconds timeout) {
    if (std::this_thread::get_id() == thread_.get_id()) {
        work();
        return;
    }
    std::unique_lock caller(callerMutex_, std::defer_lock);
    if (!caller.try_lock_for(timeout)) {
        throw std::runtime_error("another call into the spreadsheet has not come back");
    }
    std::unique_lock lock(mutex_);
    if (!done_) {
        throw std::runtime_error("an earlier call into the spreadsheet has not come back");
    }
    // The gate holds the work itself: a call left behind must not run code
    // that lives in the caller's frame.
    work_ = std::move(work);
    pending_ = true;
    done_ = false;
    error_ = nullptr;
    aborted_ = false;
    changed_.notify_all();
    if (changed_.wait_for(lock, timeout, [this] { return done_; })) {
        work_ = nullptr;
        if (error_) {
            std::rethrow_exception(error_);
        }
        return;
    }
    aborted_ = true;
    lock.unlock();
    abort_();
    lock.lock();
    // Cut off, the call normally returns at once with an error. The wait for
    // it has a bound all the same: nothing may hold the caller for good.
    if (changed_.wait_for(lock, abortGrace_, [this] { return done_; })) {
        work_ = nullptr;
        throw std::runtime_error("the spreadsheet did not answer in time");
    }
    leftBehind_ = true;
    throw std::runtime_error("the spreadsheet did not answer in time, and its call could not be cut off");
}

void CallGate::loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || pending_; });
        if (stopping_ && !pending_) {
            return;
        }
        pending_ = false;
        lock.unlock();
        std::exception_ptr error;
        try {
            work_();
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        error_ = error;
        done_ = true;
        changed_.notify_all();
        if (stopping_) {
            return;
        }
    }
}

} // namespace lumitag::platform::calc
