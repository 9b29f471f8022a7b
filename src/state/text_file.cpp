#include "text_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "errors.h"

namespace sextrix {
namespace fs = std::filesystem;

namespace {
std::string reason() { return errno ? std::strerror(errno) : "unknown error"; }
}  // namespace

Result<std::string> readFileBytes(const std::string& path) {
    errno = 0;
    std::error_code ec;
    if (fs::is_directory(path, ec)) return ReadError{.file = path, .fault = FileFault::NotAFile};
    std::ifstream in(path, std::ios::binary);
    if (!in) return ReadError{.file = path, .cause = reason(), .fault = FileFault::NotFound};
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return ReadError{.file = path, .cause = reason(), .fault = FileFault::CannotRead};
    return buffer.str();
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".part";
    errno = 0;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw FileError(FileFault::CannotWrite, path, reason());
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw FileError(FileFault::CannotWrite, path, reason());
        }
    }
    std::error_code ec;
    fs::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw FileError(FileFault::CannotWrite, path, ec.message());
    }
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

void deleteFile(const std::string& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) return;
    if (!fs::remove(path, ec) || ec) throw FileError(FileFault::CannotDelete, path, ec.message());
}

void copyFile(const std::string& from, const std::string& to) {
    Result<std::string> bytes = readFileBytes(from);
    if (!bytes) throw FileError(bytes.error().fault, from, bytes.error().cause);
    writeFileBytes(to, *bytes);
}

bool folderAcceptsFiles(const std::string& folder) {
    const std::string probe = joinPath(folder, ".write-probe-" + std::to_string(::getpid()));
    {
        std::ofstream out(probe, std::ios::binary);
        if (!out) return false;
    }
    std::error_code ignored;
    fs::remove(probe, ignored);
    return true;
}

bool isWithinFolder(const std::string& path, const std::string& folder) {
    std::error_code ec;
    const fs::path inner = fs::weakly_canonical(path, ec);
    fs::path outer = fs::weakly_canonical(folder, ec);
    if (ec || outer.empty()) return false;
    if (!outer.has_filename()) outer = outer.parent_path();  // a trailing "/"
    const auto [end, ignored] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return end == outer.end();
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string fileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace sextrix
