#pragma once
// A file mapped into memory, read-only: its pages are read when first
// touched, so opening costs nothing whatever its size, and a second program
// reading it shares the system's cache.
#include <cstddef>
#include <span>
#include <string>

#include "read_result.h"

namespace sextrix {

class MappedFile {
public:
    static Result<MappedFile> open(const std::string& path);

    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    std::span<const char> bytes() const { return {data_, size_}; }

private:
    MappedFile(const char* data, std::size_t size) : data_(data), size_(size) {}
    const char* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace sextrix
