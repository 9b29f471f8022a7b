#include "line_source.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace sextrix {
namespace {

constexpr std::size_t kBlock = 1 << 20;
constexpr std::uintmax_t kProgressStep = 8 << 20;

gzFile handle(void* file) { return static_cast<gzFile>(file); }

}  // namespace

LineSource::LineSource(std::string path, std::function<void(double)> progress)
    : path_(std::move(path)), progress_(std::move(progress)) {
    std::error_code ec;
    const auto status = std::filesystem::status(path_, ec);
    if (!std::filesystem::exists(status)) {
        error_ = ReadError{.file = path_, .cause = std::strerror(ENOENT), .fault = FileFault::NotFound};
        return;
    }
    if (!std::filesystem::is_regular_file(status)) {
        error_ = ReadError{.file = path_, .fault = FileFault::NotAFile};
        return;
    }
    size_ = std::filesystem::file_size(path_, ec);
    file_ = gzopen(path_.c_str(), "rb");
    if (!file_) error_ = ReadError{.file = path_, .cause = std::strerror(errno), .fault = FileFault::CannotRead};
}

LineSource::~LineSource() {
    if (file_) gzclose(handle(file_));
}

ReadError LineSource::fault(std::size_t line, std::string cause) const {
    return ReadError{.file = path_, .line = static_cast<int>(line), .cause = std::move(cause)};
}

bool LineSource::fill() {
    if (atEnd_ || error_) return false;
    buffer_.erase(0, start_);
    start_ = 0;
    const std::size_t had = buffer_.size();
    buffer_.resize(had + kBlock);
    const int got = gzread(handle(file_), buffer_.data() + had, static_cast<unsigned>(kBlock));
    if (got < 0) {
        int code = 0;
        const char* text = gzerror(handle(file_), &code);
        error_ = fault(lineNumber_ + 1, std::string("cannot be read on: ") + (text ? text : "read error"));
        buffer_.resize(had);
        return false;
    }
    buffer_.resize(had + static_cast<std::size_t>(got));
    if (got == 0) atEnd_ = true;
    const auto offset = static_cast<std::uintmax_t>(gzoffset(handle(file_)));
    if (progress_ && size_ > 0 && (atEnd_ || offset >= reported_ + kProgressStep)) {
        reported_ = offset;
        progress_(std::min(1.0, static_cast<double>(offset) / static_cast<double>(size_)));
    }
    return got > 0;
}

std::string_view LineSource::head() {
    if (buffer_.empty() && lineNumber_ == 0) fill();
    return std::string_view(buffer_).substr(start_);
}

bool LineSource::next(std::string_view& line) {
    if (error_) return false;
    std::size_t searched = start_;
    for (;;) {
        const std::size_t end = buffer_.find('\n', searched);
        if (end != std::string::npos) {
            line = std::string_view(buffer_).substr(start_, end - start_);
            start_ = end + 1;
            lineEnded_ = true;
            break;
        }
        if (buffer_.size() - start_ > kMaxLine) {
            error_ = fault(lineNumber_ + 1,
                           "a line longer than " + std::to_string(kMaxLine >> 20) + " MiB: not a table of text lines");
            return false;
        }
        searched = buffer_.size() - start_;
        if (!fill()) {
            if (error_ || start_ >= buffer_.size()) return false;
            line = std::string_view(buffer_).substr(start_);
            start_ = buffer_.size();
            lineEnded_ = false;
            break;
        }
        // fill() moved the line's start to 0.
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++lineNumber_;
    return true;
}

}  // namespace sextrix
