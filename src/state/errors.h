#pragma once
// Failures that handlers catch and show to the user. Descriptions are plain
// English words, as a runtime error would read; the fields beside them let
// the windows say the same in the interface's language.
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
    explicit TypeMismatchError(const std::string& text)
        : std::runtime_error("Type mismatch: \"" + text + "\""), text(text) {}
    std::string text;  // what was read
};

// A file could not be written or deleted (a reader says why it could not
// read one with a ReadError, state/read_result.h, which shares FileFault);
// Other when the description says more than the kind.
enum class FileFault { Other, NotFound, NotAFile, CannotRead, CannotWrite, CannotDelete };
struct FileError : std::runtime_error {
    explicit FileError(const std::string& description) : std::runtime_error(description) {}
    FileError(FileFault fault, const std::string& path, const std::string& reason = {})
        : std::runtime_error(describe(fault, path, reason)), fault(fault), path(path), reason(reason) {}
    FileFault fault = FileFault::Other;
    std::string path, reason;  // reason: the system's words, when it gave any

private:
    static std::string describe(FileFault fault, const std::string& path, const std::string& reason) {
        const char* words[] = {
            "", "File not found: ", "Not a file: ", "Cannot read ", "Cannot write ", "Cannot delete "};
        return words[static_cast<int>(fault)] + path + (reason.empty() ? "" : " (" + reason + ")");
    }
};

// A line was read past the end of a file (LineReader::readLine; the readers
// ask atEnd first).
struct EndOfFileError : std::runtime_error {
    EndOfFileError() : std::runtime_error("Input past end of file") {}
};

}  // namespace sextrix
