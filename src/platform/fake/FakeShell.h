#pragma once

#include "platform/Shell.h"

#include <optional>
#include <string>
#include <vector>

namespace lumitag::platform {

// Records every "open" the program asks for; can be told to fail.
class FakeShell : public Shell {
public:
    struct OpenRequest {
        std::filesystem::path path;
        WindowShow show = WindowShow::Normal;
        bool operator==(const OpenRequest&) const = default;
    };

    Status openFile(const std::filesystem::path& path, WindowShow show) override {
        opened_.push_back({path, show});
        if (failure_)
            return Status::failure(*failure_);
        return Status::success();
    }
    std::filesystem::path desktopFolder() override { return desktop_; }

    const std::vector<OpenRequest>& openRequests() const { return opened_; }
    // Nothing: opening succeeds again.
    void setOpenFailure(std::optional<std::string> reason) { failure_ = std::move(reason); }
    void setDesktopFolder(std::filesystem::path folder) { desktop_ = std::move(folder); }

private:
    std::vector<OpenRequest> opened_;
    std::optional<std::string> failure_;
    std::filesystem::path desktop_ = "/home/user/Desktop";
};

} // namespace lumitag::platform
