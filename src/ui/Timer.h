#pragma once

#include "ui/Handler.h"

#include <chrono>
#include <string>

namespace lumitag::ui {

class Form;

using Milliseconds = std::chrono::milliseconds;

// A timer on the application's clock. While enabled it comes due when the
// clock has advanced by its interval since it was enabled (or last fired), and
// fires at the next wake of the event loop (Application::advance): once,
// however late that wake is. Like the classic component it starts enabled
// with 1000 ms.
class Timer {
public:
    Timer(Form& owner, std::string name);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    Form& owner() const { return owner_; }

    Milliseconds interval() const { return interval_; }
    // Restarts the count when the timer is enabled.
    void setInterval(Milliseconds interval);
    bool enabled() const { return enabled_; }
    // Enabling (also enabling again) starts a new count from now.
    void setEnabled(bool enabled);
    void start() { setEnabled(true); }
    void stop() { setEnabled(false); }

    // When it next fires on the application's clock, meaningful while enabled.
    Milliseconds due() const { return due_; }

    Handler<void()> onTimer;

private:
    friend class Application;
    void restart();

    Form& owner_;
    std::string name_;
    Milliseconds interval_{1000};
    bool enabled_ = true;
    Milliseconds due_{0};
};

} // namespace lumitag::ui
