#pragma once

#include "platform/SingleInstance.h"

#include <vector>

namespace lumitag::platform {

// A single-instance lock whose answer the test sets: by default this is the
// first copy.
class FakeSingleInstance : public SingleInstance {
public:
    Attempt acquire(TextView name) override {
        names_.emplace_back(name);
        return {outcome_, outcome_ == Outcome::Unavailable ? reason_ : std::string()};
    }

    void setAnotherCopyRuns(bool runs) { outcome_ = runs ? Outcome::AnotherCopyRuns : Outcome::FirstCopy; }
    void setUnavailable(std::string reason) {
        outcome_ = Outcome::Unavailable;
        reason_ = std::move(reason);
    }
    // The names the program asked to lock, in order.
    const std::vector<Text>& requestedNames() const { return names_; }

private:
    Outcome outcome_ = Outcome::FirstCopy;
    std::string reason_;
    std::vector<Text> names_;
};

} // namespace lumitag::platform
