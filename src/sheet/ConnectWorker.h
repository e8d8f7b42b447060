#pragma once

#include <chrono>
#include <functional>

namespace lumitag::sheet {

// Runs the spreadsheet's connect away from the user-interface thread: starting
// an office takes seconds, and the windows must come at once. One job at a
// time; the user-interface thread starts it, asks whether it has ended and
// waits for it, always with a bound.
//
// The job's own writes are seen by the thread that learns from finished() or
// waitFor() that it has ended.
class ConnectWorker {
public:
    virtual ~ConnectWorker() = default;

    // Starts the job. Only when no job runs (finished() is true).
    virtual void start(std::function<void()> job) = 0;
    // Whether the last job has ended (true when none was started). Never waits.
    virtual bool finished() = 0;
    // Waits at most `bound` for the last job to end; true when it has.
    virtual bool waitFor(std::chrono::milliseconds bound) = 0;
};

} // namespace lumitag::sheet
