#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

namespace lumitag::platform {

// The outcome of an operation on the outside world that returns nothing:
// success, or the reason it failed ("permission denied: /path").
class [[nodiscard]] Status {
public:
    static Status success() { return Status(); }
    static Status failure(std::string reason) { return Status(std::move(reason)); }

    bool ok() const { return !reason_.has_value(); }
    explicit operator bool() const { return ok(); }
    // Empty on success.
    const std::string& reason() const {
        static const std::string none;
        return reason_ ? *reason_ : none;
    }

private:
    Status() = default;
    explicit Status(std::string reason) : reason_(std::move(reason)) {}

    std::optional<std::string> reason_;
};

// A value read from the outside world, or the reason there is none.
template <typename T> class [[nodiscard]] Result {
public:
    static Result success(T value) { return Result(std::move(value), {}, {}); }
    // `error` is the system's code for the failure where there is one (errno),
    // so that a caller can tell kinds of failure apart without parsing the reason.
    static Result failure(std::string reason, std::error_code error = {}) {
        return Result(std::nullopt, std::move(reason), error);
    }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }

    const T& value() const& {
        assert(ok());
        return *value_;
    }
    T&& value() && {
        assert(ok());
        return std::move(*value_);
    }
    // Empty on success.
    const std::string& reason() const { return reason_; }
    // Empty on success and for failures the system gave no code for.
    const std::error_code& error() const { return error_; }

private:
    Result(std::optional<T> value, std::string reason, std::error_code error)
        : value_(std::move(value)), reason_(std::move(reason)), error_(error) {}

    std::optional<T> value_;
    std::string reason_;
    std::error_code error_;
};

} // namespace lumitag::platform
