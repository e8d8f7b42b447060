#pragma once

#include <concepts>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace lumitag::ui {

// The one handler of a control's event.
//
// An event has a single handler, set once while a window wires its controls.
// Setting a handler on an event that already has one is a wiring fault: it
// would silently drop the first handler's duty, so it throws
// std::logic_error, which every test that builds the window sees. An event
// with several duties gets one handler that runs them in the order the
// behaviour needs. `clear()` (or assigning nullptr) removes the handler on
// purpose, so that a new one may be set.
template <class Signature> class Handler;

template <class Result, class... Args> class Handler<Result(Args...)> {
public:
    using Function = std::function<Result(Args...)>;

    Handler() = default;
    Handler(const Handler&) = delete;
    Handler& operator=(const Handler&) = delete;

    // Sets the handler; throws std::logic_error when one is set already or
    // when `function` is empty (use clear() to remove a handler).
    void set(Function function) {
        if (!function)
            throw std::logic_error("an empty event handler was set; clear() removes a handler");
        if (function_)
            throw std::logic_error("an event handler was set twice; the first one would be lost");
        function_ = std::move(function);
    }

    template <class Callable>
    requires(!std::same_as<std::remove_cvref_t<Callable>, Handler> &&
             !std::same_as<std::remove_cvref_t<Callable>, std::nullptr_t> &&
             std::is_invocable_r_v<Result, Callable&, Args...>) Handler&
    operator=(Callable&& callable) {
        set(Function(std::forward<Callable>(callable)));
        return *this;
    }

    void clear() { function_ = nullptr; }
    Handler& operator=(std::nullptr_t) {
        clear();
        return *this;
    }

    explicit operator bool() const { return static_cast<bool>(function_); }

    // Runs the handler; the caller checks that one is set.
    Result operator()(Args... args) const { return function_(std::forward<Args>(args)...); }

private:
    Function function_;
};

} // namespace lumitag::ui
