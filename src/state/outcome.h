#pragma once
// A value, or the reason it could not be had: what the report functions
// return instead of throwing, so that the window and the command line show
// the reason as it is and never write half a report.
#include <optional>
#include <string>
#include <utility>

namespace sextrix {

template <class T>
class Outcome {
public:
    Outcome(T value) : value_(std::move(value)) {}
    static Outcome refused(std::string reason) { return Outcome(std::nullopt, std::move(reason)); }

    explicit operator bool() const { return value_.has_value(); }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    // Why there is no value; empty when there is one.
    const std::string& reason() const { return reason_; }

private:
    Outcome(std::nullopt_t, std::string reason) : reason_(std::move(reason)) {}
    std::optional<T> value_;
    std::string reason_;
};

}  // namespace sextrix
