#include "image_loading.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "state/errors.h"
#include "state/text_file.h"

namespace sextrix {
namespace fs = std::filesystem;

std::string resolveImagePath(const std::string& typed, const std::string& programFolder) {
    if (typed.starts_with('/') || typed.find(':') != std::string::npos) return typed;
    return joinPath(programFolder, typed);
}

Result<std::string> fileTimeText(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return ReadError{.file = path, .fault = FileFault::NotFound};
    const fs::file_time_type stamp = fs::last_write_time(path, ec);
    if (ec) return ReadError{.file = path, .cause = ec.message(), .fault = FileFault::CannotRead};

    using namespace std::chrono;
    const auto system = fs::file_time_type::clock::to_sys(stamp);
    const auto whole = floor<seconds>(system);
    const long long nanos = duration_cast<nanoseconds>(system - whole).count();
    const std::time_t t = system_clock::to_time_t(whole);
    std::tm local{};
    if (!localtime_r(&t, &local)) return ReadError{.file = path, .fault = FileFault::CannotRead};
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%09lld", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, nanos);
    return std::string(text);
}

}  // namespace sextrix
