#pragma once

#include "platform/ProgramDirectory.h"

#include <optional>
#include <string>

namespace lumitag::platform {

// A program directory the test sets; "/opt/lumitag/" unless told otherwise.
class FakeProgramDirectory : public ProgramDirectory {
public:
    FakeProgramDirectory() = default;
    explicit FakeProgramDirectory(std::filesystem::path directory) : directory_(std::move(directory)) {}

    Result<std::filesystem::path> directory() override {
        if (failure_)
            return Result<std::filesystem::path>::failure(*failure_);
        return Result<std::filesystem::path>::success(directory_);
    }

    // Give it with the trailing separator, as the real one returns it.
    void setDirectory(std::filesystem::path directory) { directory_ = std::move(directory); }
    void setFailure(std::optional<std::string> reason) { failure_ = std::move(reason); }

private:
    std::filesystem::path directory_ = "/opt/lumitag/";
    std::optional<std::string> failure_;
};

} // namespace lumitag::platform
