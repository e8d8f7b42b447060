#pragma once

#include "platform/InputHook.h"

#include <optional>
#include <string>
#include <utility>

namespace lumitag::platform {

// Events a test records by hand; can be told to refuse installing.
class FakeInputHook : public InputHook {
public:
    Status install() override {
        ++installCalls_;
        if (refusal_)
            return Status::failure(*refusal_);
        installed_ = true;
        return Status::success();
    }
    void remove() override {
        installed_ = false;
        events_.clear();
    }
    bool installed() const override { return installed_; }
    std::vector<InputEvent> takeEvents() override { return std::exchange(events_, {}); }

    // Recorded only while installed, as the desktop would.
    void record(const InputEvent& event) {
        if (installed_)
            events_.push_back(event);
    }
    // Nothing: installing succeeds again.
    void refuse(std::optional<std::string> reason) { refusal_ = std::move(reason); }
    int installCalls() const { return installCalls_; }

private:
    bool installed_ = false;
    std::optional<std::string> refusal_;
    std::vector<InputEvent> events_;
    int installCalls_ = 0;
};

} // namespace lumitag::platform
