#pragma once

#include "sheet/ConnectWorker.h"

#include <functional>
#include <stdexcept>
#include <vector>

namespace lumitag::sheet {

// The tests' worker: a job runs on the test's thread when the test completes
// it, or when a command waits for it and the test lets the wait see the
// office answer. No thread, no sleep: every order of events is the test's.
class ManualConnectWorker final : public ConnectWorker {
public:
    enum class OnWait {
        Completes,    // the office answers within the wait (the default)
        StaysPending, // the wait runs out with the job still running
    };

    void start(std::function<void()> job) override {
        if (job_)
            throw std::logic_error("a connect job is already running");
        job_ = std::move(job);
        ++started_;
    }
    bool finished() override { return !job_; }
    bool waitFor(std::chrono::milliseconds bound) override {
        waits_.push_back(bound);
        if (onWaitStarted)
            onWaitStarted();
        if (job_ && onWait_ == OnWait::Completes)
            complete();
        return !job_;
    }

    // Runs the pending job now: the office has answered (or failed to).
    void complete() {
        if (!job_)
            throw std::logic_error("no connect job is running");
        std::function<void()> job = std::move(job_);
        job_ = nullptr;
        job();
    }
    void setOnWait(OnWait onWait) { onWait_ = onWait; }
    OnWait onWait() const { return onWait_; }

    bool pending() const { return static_cast<bool>(job_); }
    // How many jobs were started, and the bound of every wait, in order.
    int startedCount() const { return started_; }
    const std::vector<std::chrono::milliseconds>& waits() const { return waits_; }
    // Runs as a wait begins: what the program shows while it waits.
    std::function<void()> onWaitStarted;

private:
    std::function<void()> job_;
    OnWait onWait_ = OnWait::Completes;
    int started_ = 0;
    std::vector<std::chrono::milliseconds> waits_;
};

} // namespace lumitag::sheet
