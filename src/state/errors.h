#pragma once
// Failures that handlers catch and show to the user. Descriptions are plain
// English words of the platform, as a runtime error would read.
#include <stdexcept>
#include <string>

namespace sextrix {

// A number does not fit its 16-bit field, or a text parses to a value out of
// the range of a double.
struct OverflowError : std::runtime_error {
    OverflowError() : std::runtime_error("Overflow") {}
};

// A text that had to be a number is not one.
struct TypeMismatchError : std::runtime_error {
    explicit TypeMismatchError(const std::string& text) : std::runtime_error("Type mismatch: \"" + text + "\"") {}
};

// A file could not be opened, read or written.
struct FileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A line was read past the end of a file.
struct EndOfFileError : std::runtime_error {
    EndOfFileError() : std::runtime_error("Input past end of file") {}
};

}  // namespace sextrix
