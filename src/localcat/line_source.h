#pragma once
// The lines of a text file, plain or gzip-compressed, read a block at a time:
// a file of any size takes the same memory.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "state/read_result.h"

namespace sextrix {

class LineSource {
public:
    // The longest line taken; a longer one ends the reading with an error
    // (a binary file, or a table no catalogue has).
    static constexpr std::size_t kMaxLine = 1 << 20;

    LineSource(std::string path, std::function<void(double)> progress);
    ~LineSource();
    LineSource(const LineSource&) = delete;
    LineSource& operator=(const LineSource&) = delete;

    // Why the file could not be opened or read on; nullopt while all is well.
    const std::optional<ReadError>& error() const { return error_; }

    // The first bytes of the file (a block, or all of a shorter file), not
    // taken from the lines.
    std::string_view head();

    // The next line without its LF (or CR LF), valid until the next call;
    // false at the end of the file or on an error.
    bool next(std::string_view& line);
    // The 1-based number of the line last given.
    std::size_t lineNumber() const { return lineNumber_; }
    // Whether the last line given ended with a line feed (a file cut inside a
    // line does not).
    bool lineEnded() const { return lineEnded_; }

    // An error of the file's content at a line (0: the whole file's).
    ReadError fault(std::size_t line, std::string cause) const;
    const std::string& path() const { return path_; }

private:
    bool fill();

    std::string path_;
    std::function<void(double)> progress_;
    void* file_ = nullptr;  // gzFile
    std::uintmax_t size_ = 0;
    std::uintmax_t reported_ = 0;
    std::string buffer_;
    std::size_t start_ = 0;
    bool atEnd_ = false;
    std::size_t lineNumber_ = 0;
    bool lineEnded_ = true;
    std::optional<ReadError> error_;
};

}  // namespace sextrix
