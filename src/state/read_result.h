#pragma once
// The one way a reader or converter of a file or of a service answer fails:
// it returns a Result<T>, holding either the value read or a ReadError that
// names the file, the line (when there is one) and the cause. Readers never
// throw and never return a value without saying why there is none.
//
// A reader whose caller keeps the good lines before a bad one (the deep-sky
// files, config.cfg, defaut.cfg) fills a list the caller hands it and
// returns Result<void>: on failure the list holds what was read before the
// line named. A reader that takes every file (hosts.cfg) returns its value,
// with the lines it passed over as ReadErrors.
//
// A handler that runs under runHandler (form1/run_handler.h) may call
// value(), which throws ReadFailure; the handler's message box then shows
// the error in the interface's language (form1/failure_text.h).
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "errors.h"

namespace sextrix {

// What `line` counts: lines, or the records of the star answer, whose records
// all sit on one line under the program's line rule.
enum class ReadPlace { Line, Record };

struct ReadError {
    // The path, or the name the user knows the source by ("lang.cfg",
    // "VizieR answer").
    std::string file{};
    // 1-based line (or record, see place); 0 when the fault is the whole file's.
    int line = 0;
    // Why, in plain English words. For a file that could not be opened or
    // read (fault other than Other), the system's own words, if it gave any.
    std::string cause{};
    // Other: what the file holds is wrong. NotFound, NotAFile, CannotRead:
    // the file could not be opened or read; the windows say these in the
    // interface's language.
    FileFault fault = FileFault::Other;
    ReadPlace place = ReadPlace::Line;
};

// The error in English: "data.txt, record 3: Overflow", "bad.pam: The file
// ends after line 28 of 29", "File not found: /x/defaut.cfg (No such file or
// directory)". Without a file name, "line 4: ..." or the cause alone.
std::string describe(const ReadError& error);

// "line 4: Overflow", "record 3: Overflow" or the cause alone: the error
// without its file, for a caller that names the file itself.
std::string describeWithoutFile(const ReadError& error);

// Thrown by Result::value() on an error, for handlers whose failures are
// exceptions (see form1/run_handler.h).
struct ReadFailure : std::runtime_error {
    explicit ReadFailure(ReadError error) : std::runtime_error(describe(error)), error(std::move(error)) {}
    ReadError error;
};

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(ReadError error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; only when ok().
    T& operator*() & { return std::get<0>(state_); }
    const T& operator*() const& { return std::get<0>(state_); }
    T&& operator*() && { return std::get<0>(std::move(state_)); }
    T* operator->() { return &std::get<0>(state_); }
    const T* operator->() const { return &std::get<0>(state_); }

    // The value, or ReadFailure thrown.
    T& value() & {
        check();
        return **this;
    }
    const T& value() const& {
        check();
        return **this;
    }
    T&& value() && {
        check();
        return std::move(**this);
    }

    T valueOr(T fallback) const& {
        if (ok()) return **this;
        return fallback;
    }
    T valueOr(T fallback) && {
        if (ok()) return std::move(**this);
        return fallback;
    }

    // Only when !ok().
    const ReadError& error() const& { return std::get<1>(state_); }
    ReadError&& error() && { return std::get<1>(std::move(state_)); }

    // f(value) when there is one, itself a Result; the error as it is otherwise.
    template <class F>
    auto andThen(F&& f) && -> std::invoke_result_t<F, T&&> {
        if (!ok()) return std::move(*this).error();
        return std::forward<F>(f)(std::move(**this));
    }

private:
    void check() const {
        if (!ok()) throw ReadFailure(error());
    }
    std::variant<T, ReadError> state_;
};

// The result of a reader that fills a list of the caller's, or checks.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(ReadError error) : error_(std::move(error)), ok_(false) {}

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok_; }
    // Throws ReadFailure on an error.
    void value() const {
        if (!ok_) throw ReadFailure(error_);
    }
    const ReadError& error() const& { return error_; }
    ReadError&& error() && { return std::move(error_); }

private:
    ReadError error_;
    bool ok_ = true;
};

}  // namespace sextrix
