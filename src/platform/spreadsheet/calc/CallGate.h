#pragma once

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
// When a call overruns, the gate runs its abort action (which cuts the
// connection so that the stuck call returns with an error), waits for the call
// to come back, and throws std::runtime_error. A call made from inside a call
// runs directly.
class CallGate {
public:
    explicit CallGate(std::function<void()> abort);
    ~CallGate();
    CallGate(const CallGate&) = delete;
    CallGate& operator=(const CallGate&) = delete;

    // Runs work on the gate's thread and rethrows what it throws.
    void run(const std::function<void()>& work, std::chrono::milliseconds timeout);

private:
    void loop();

    std::function<void()> abort_;
    std::mutex mutex_;
    std::condition_variable changed_;
    const std::function<void()>* work_ = nullptr;
    bool done_ = false;
    bool stopping_ = false;
    std::exception_ptr error_;
    std::mutex callerMutex_; // one caller at a time
    std::thread thread_;
};

} // namespace lumitag::platform::calc
