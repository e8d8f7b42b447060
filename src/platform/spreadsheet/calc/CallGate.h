#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace lumitag::platform::calc {

// Runs calls into the spreadsheet on a thread of its own and waits for each at
// most a given time, so that a spreadsheet that stops answering cannot freeze
// the caller (the user-interface thread).
//
// When a call overruns, the gate marks it aborted and runs its abort action,
// which cuts the connection so that the stuck call returns with an error. The
// gate waits for the call to come back at most the abort grace, then throws
// std::runtime_error. A call made from inside a call runs directly.
//
// A call from another thread while one runs waits for it at most its own
// timeout, then fails (std::runtime_error) without running.
//
// A call that is still running after the grace is left behind: the gate keeps
// its own copy of the work, and refuses every call (std::runtime_error) until
// that one has ended. Whoever owns the gate must then keep it alive (see
// leftCallBehind()), since the thread still uses it.
class CallGate {
public:
    CallGate(std::function<void()> abort, std::chrono::milliseconds abortGrace);
    ~CallGate();
    CallGate(const CallGate&) = delete;
    CallGate& operator=(const CallGate&) = delete;

    // Runs work on the gate's thread and rethrows what it throws.
    void run(std::function<void()> work, std::chrono::milliseconds timeout);

    // On the gate's thread: whether the running call has been aborted. Work
    // that retries or waits checks it, so that an abort also ends it.
    bool aborted() const { return aborted_; }
    // Whether a call has ever been left behind still running.
    bool leftCallBehind() const;

private:
    void loop();

    std::function<void()> abort_;
    std::chrono::milliseconds abortGrace_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> work_;
    bool pending_ = false; // work_ waits for the thread
    bool done_ = true;     // the last work has ended
    bool leftBehind_ = false;
    bool stopping_ = false;
    std::atomic<bool> aborted_ = false;
    std::exception_ptr error_;
    std::timed_mutex callerMutex_; // one caller at a time
    std::thread thread_;
};

} // namespace lumitag::platform::calc
