#pragma once

#include "sheet/ConnectWorker.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace lumitag::sheet {

// The program's worker: each job runs on a thread of its own.
//
// The destructor waits for a running job: it uses the spreadsheet host, which
// must outlive it. The host bounds its connect, so that wait ends too.
class ThreadConnectWorker final : public ConnectWorker {
public:
    ThreadConnectWorker() = default;
    ~ThreadConnectWorker() override;
    ThreadConnectWorker(const ThreadConnectWorker&) = delete;
    ThreadConnectWorker& operator=(const ThreadConnectWorker&) = delete;

    void start(std::function<void()> job) override;
    bool finished() override;
    bool waitFor(std::chrono::milliseconds bound) override;

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool running_ = false;
    std::thread thread_;
};

} // namespace lumitag::sheet
