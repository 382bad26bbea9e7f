// A value or the one-line reason why there is none. The encoder's parts return these; only
// main() turns a failure into a message and an exit status.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace asapi {

struct Failure {
    std::string message;
};

template <typename T>
class [[nodiscard]] Expected {
public:
    Expected(T value) : value_(std::move(value)) {}
    Expected(Failure failure) : error_(std::move(failure.message)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const { return *value_; }
    T &value() { return *value_; }
    const T *operator->() const { return &*value_; }
    T *operator->() { return &*value_; }
    const std::string &error() const { return error_; }

private:
    std::optional<T> value_;
    std::string error_;
};

// For operations that give nothing back but may fail.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Failure failure) : error_(std::move(failure.message)), failed_(true) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string &error() const { return error_; }

private:
    std::string error_;
    bool failed_ = false;
};

}  // namespace asapi
