#include "read_result.h"

namespace sextrix {

std::string describeWithoutFile(const ReadError& error) {
    if (error.line <= 0) return error.cause;
    const char* unit = error.place == ReadPlace::Record ? "record " : "line ";
    return unit + std::to_string(error.line) + ": " + error.cause;
}

std::string describe(const ReadError& error) {
    if (error.fault != FileFault::Other) return FileError(error.fault, error.file, error.cause).what();
    if (error.file.empty()) return describeWithoutFile(error);
    if (error.line <= 0) return error.file + ": " + error.cause;
    return error.file + ", " + describeWithoutFile(error);
}

}  // namespace sextrix
