#include "ui/Timer.h"

#include "ui/Application.h"
#include "ui/Form.h"

#include <algorithm>

namespace lumitag::ui {

Timer::Timer(Form& owner, std::string name) : owner_(owner), name_(std::move(name)) {
    owner_.timers_.push_back(this);
    restart();
}

Timer::~Timer() {
    auto& timers = owner_.timers_;
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
    if (enabled_)
        owner_.application().wakeChanged();
}

void Timer::restart() {
    Application& application = owner_.application();
    // A period starts at the present, also between two wakes of a front end.
    application.clockNeeded();
    due_ = application.now() + interval_;
    application.wakeChanged();
}

void Timer::setInterval(Milliseconds interval) {
    interval_ = std::max(interval, Milliseconds{1});
    restart();
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    restart();
}

} // namespace lumitag::ui
