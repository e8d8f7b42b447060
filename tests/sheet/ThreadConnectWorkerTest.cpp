// The program's connect worker: the job runs on another thread, the caller
// never waits past its bound, and a job that throws ends the program no more
// than one that returns. Each job waits on a latch the test opens, so no
// outcome depends on timing.
#include "sheet/ThreadConnectWorker.h"

#include <gtest/gtest.h>
#include <latch>
#include <stdexcept>
#include <thread>

namespace lumitag::sheet {
namespace {

using namespace std::chrono_literals;

TEST(ThreadConnectWorker, TheJobRunsOnAnotherThreadUntilItEnds) {
    ThreadConnectWorker worker;
    EXPECT_TRUE(worker.finished()) << "no job yet";
    EXPECT_TRUE(worker.waitFor(0ms));

    std::latch release(1);
    std::thread::id jobThread;
    bool ran = false;
    worker.start([&] {
        jobThread = std::this_thread::get_id();
        release.wait();
        ran = true;
    });
    EXPECT_FALSE(worker.finished());
    EXPECT_FALSE(worker.waitFor(1ms)) << "the job still runs: the wait ends at its bound";

    release.count_down();
    ASSERT_TRUE(worker.waitFor(60s));
    EXPECT_TRUE(worker.finished());
    EXPECT_TRUE(ran) << "the job's writes are seen after the wait";
    EXPECT_NE(jobThread, std::this_thread::get_id());
}

TEST(ThreadConnectWorker, AThrowingJobEndsLikeAnyOtherAndTheNextOneRuns) {
    ThreadConnectWorker worker;
    worker.start([] { throw std::runtime_error("no office"); });
    ASSERT_TRUE(worker.waitFor(60s));

    bool second = false;
    worker.start([&] { second = true; });
    ASSERT_TRUE(worker.waitFor(60s));
    EXPECT_TRUE(second);
}

TEST(ThreadConnectWorker, TheWorkerEndsOnlyAfterItsRunningJob) {
    std::latch release(1);
    bool ended = false;
    {
        ThreadConnectWorker worker;
        worker.start([&] {
            release.wait();
            ended = true;
        });
        release.count_down();
    }
    EXPECT_TRUE(ended) << "the job uses the host, which the worker must not outlive";
}

} // namespace
} // namespace lumitag::sheet
