#pragma once

#include "platform/InputHook.h"

#include <string>
#include <utility>

namespace lumitag::platform {

// The input hook of a desktop that records nothing: every install fails with
// the reason given.
class UnavailableInputHook : public InputHook {
public:
    explicit UnavailableInputHook(std::string reason) : reason_(std::move(reason)) {}

    Status install() override { return Status::failure(reason_); }
    void remove() override {}
    bool installed() const override { return false; }
    std::vector<InputEvent> takeEvents() override { return {}; }

private:
    std::string reason_;
};

} // namespace lumitag::platform
