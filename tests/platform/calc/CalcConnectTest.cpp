// Connecting to something that listens on the office's pipe but never answers:
// no office is needed, the listener is this test.

#include "platform/TemporaryFolder.h"
#include "platform/spreadsheet/SpreadsheetError.h"
#include "platform/spreadsheet/calc/CalcHost.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace lumitag::platform::calc {
namespace {

using namespace std::chrono_literals;

// Listens where the UNO runtime looks for a named pipe of this user, accepts
// every connection and then neither reads nor writes: an office that has
// frozen (or deadlocked) right after accepting.
class SilentPipe {
public:
    explicit SilentPipe(const std::string& name)
        : path_("/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_" + name) {
        unlink(path_.c_str());
        socket_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path_.copy(address.sun_path, sizeof address.sun_path - 1);
        if (socket_ < 0 || bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(socket_, 8) != 0) {
            return;
        }
        listening_ = true;
        acceptor_ = std::thread([this] {
            while (!stop_) {
                pollfd ready{socket_, POLLIN, 0};
                if (poll(&ready, 1, 20) == 1) {
                    const int connection = accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
                    if (connection >= 0) {
                        accepted_.push_back(connection);
                        ++acceptedCount_;
                    }
                }
            }
        });
    }
    ~SilentPipe() {
        stop_ = true;
        if (acceptor_.joinable()) {
            acceptor_.join();
        }
        for (const int connection : accepted_) {
            close(connection);
        }
        if (socket_ >= 0) {
            close(socket_);
        }
        unlink(path_.c_str());
    }
    SilentPipe(const SilentPipe&) = delete;
    SilentPipe& operator=(const SilentPipe&) = delete;

    bool listening() const { return listening_; }
    int acceptedCount() const { return acceptedCount_; }

private:
    std::string path_;
    int socket_ = -1;
    bool listening_ = false;
    std::atomic<bool> stop_ = false;
    std::atomic<int> acceptedCount_ = 0;
    std::vector<int> accepted_; // the acceptor thread's only
    std::thread acceptor_;
};

TEST(CalcHostConnect, APipeThatAcceptsButNeverAnswersFailsTheConnectInTime) {
    const std::string name = "lumitag-silent-" + std::to_string(getpid());
    SilentPipe pipe(name);
    ASSERT_TRUE(pipe.listening());

    CalcHostOptions options;
    options.pipeName = name;
    // Never starts an office: the pipe has a listener, and were it not found,
    // starting this would fail at once instead of hiding the fault.
    options.officeProgram = "/nonexistent/soffice.bin";
    options.headless = true;
    options.callTimeout = 500ms;
    options.startTimeout = 500ms;
    options.abortGrace = 2s;
    CalcHost host(options);

    for (int attempt = 1; attempt <= 2; ++attempt) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_THROW(host.connect(), SpreadsheetError) << attempt;
        EXPECT_LT(std::chrono::steady_clock::now() - start, options.callTimeout + options.abortGrace)
            << "attempt " << attempt << " waited past its bound";
        EXPECT_EQ(pipe.acceptedCount(), attempt) << "the host reached the listener";
        // Still a clean failure, not a call queued behind a stuck one.
        EXPECT_THROW(host.activeWorkbook(), SpreadsheetError);
    }
}

TEST(CalcHostConnect, AStartedOfficeThatAcceptsButNeverAnswersIsEndedInTime) {
    TemporaryFolder folder;
    const std::string name = "lumitag-silent-started-" + std::to_string(getpid());
    // The "office": a process that only says it runs; the test listens on
    // its pipe for it once it does.
    const std::filesystem::path office = folder / "soffice.bin";
    std::ofstream(office) << "#!/bin/sh\necho $$ > \"$(dirname \"$0\")/started\"\nexec sleep 600\n";
    std::filesystem::permissions(office, std::filesystem::perms::owner_all);
    std::optional<SilentPipe> pipe;
    std::thread listener([&] {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!std::filesystem::exists(folder / "started") && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(10ms);
        }
        pipe.emplace(name);
    });

    CalcHostOptions options;
    options.pipeName = name;
    options.officeProgram = office.string();
    options.profileFolder = (folder / "profile").string();
    options.headless = true;
    options.officeEndsWithHost = true;
    options.startTimeout = 2s;
    options.callTimeout = 500ms;
    options.abortGrace = 2s;
    CalcHost host(options);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(host.connect(), SpreadsheetError);
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              options.startTimeout + options.callTimeout + options.abortGrace);
    listener.join();
    ASSERT_TRUE(pipe.has_value() && pipe->listening());
    EXPECT_GE(pipe->acceptedCount(), 1) << "the host reached the listener";

    // The office it started never answered: ended, not left running.
    EXPECT_FALSE(host.officeProcessId().has_value());
    std::ifstream started(folder / "started");
    pid_t pid = 0;
    ASSERT_TRUE(started >> pid);
    EXPECT_EQ(::kill(pid, 0), -1);
    EXPECT_EQ(errno, ESRCH);
}

} // namespace
} // namespace lumitag::platform::calc
