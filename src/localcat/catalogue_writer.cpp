#include "catalogue_writer.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <queue>
#include <tuple>

#include "state/errors.h"

namespace sextrix {
namespace {

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

FilePtr openFile(const std::string& path, const char* mode, FileFault fault) {
    FilePtr file(std::fopen(path.c_str(), mode), &std::fclose);
    if (!file) throw FileError(fault, path, std::strerror(errno));
    return file;
}

void writeAll(std::FILE* file, const void* bytes, std::size_t size, const std::string& path) {
    if (size && std::fwrite(bytes, 1, size, file) != size)
        throw FileError(FileFault::CannotWrite, path, std::strerror(errno));
}

// Within a run and across runs: by tile, then brightest first, then by identifier.
auto orderKey(std::uint32_t tile, const StarRecord& record) {
    std::int64_t id;
    std::memcpy(&id, record.data(), sizeof id);
    return std::tuple{tile, brightnessKey(record), id};
}

constexpr std::size_t kRunEntryBytes = 4 + kStarRecordBytes;

// One run read back in order, a buffered entry at a time.
struct RunReader {
    FilePtr file;
    std::uint32_t tile = 0;
    StarRecord record{};
    bool next() {
        std::uint8_t bytes[kRunEntryBytes];
        if (std::fread(bytes, 1, kRunEntryBytes, file.get()) != kRunEntryBytes) return false;
        std::memcpy(&tile, bytes, 4);
        std::memcpy(record.data(), bytes + 4, kStarRecordBytes);
        return true;
    }
};

}  // namespace

LocalCatalogueWriter::LocalCatalogueWriter(std::string path, CatalogueWriterSettings settings)
    : path_(std::move(path)), header_{settings.order, LocalSource::UsnoA2, 2000, 0}, settings_(settings),
      tiles_(settings.order), perTile_(tileCountOf(settings.order), 0) {
    run_.reserve(std::min<std::size_t>(settings_.runStars, 1 << 20));
}

LocalCatalogueWriter::~LocalCatalogueWriter() {
    std::error_code ignored;
    for (const std::string& run : runFiles_) std::filesystem::remove(run, ignored);
    std::filesystem::remove(path_ + ".tmp", ignored);
}

void LocalCatalogueWriter::add(const LocalStar& star) {
    const StarRecord record = packStar(star);
    const std::uint32_t tile = tiles_.tileOf(star.raDeg, star.decDeg);
    run_.push_back({tile, record});
    ++perTile_[tile];
    ++stars_;
    if (run_.size() >= settings_.runStars) putRunAside();
}

void LocalCatalogueWriter::putRunAside() {
    std::sort(run_.begin(), run_.end(),
              [](const Entry& a, const Entry& b) { return orderKey(a.tile, a.record) < orderKey(b.tile, b.record); });
    const std::string path = path_ + ".run" + std::to_string(runFiles_.size());
    runFiles_.push_back(path);
    const FilePtr file = openFile(path, "wb", FileFault::CannotWrite);
    for (const Entry& e : run_) {
        writeAll(file.get(), &e.tile, 4, path);
        writeAll(file.get(), e.record.data(), kStarRecordBytes, path);
    }
    if (std::fflush(file.get()) != 0) throw FileError(FileFault::CannotWrite, path, std::strerror(errno));
    run_.clear();
}

void LocalCatalogueWriter::finish(LocalSource source) {
    const std::string temporary = path_ + ".tmp";
    header_.source = source;
    header_.epoch = localEpoch(source);
    {
        const FilePtr out = openFile(temporary, "wb", FileFault::CannotWrite);
        header_.stars = stars_;
        const auto header = encodeHeader(header_);
        writeAll(out.get(), header.data(), header.size(), temporary);
        std::uint64_t before = 0;
        for (std::uint64_t count : perTile_) {
            writeAll(out.get(), &before, 8, temporary);
            before += count;
        }
        writeAll(out.get(), &before, 8, temporary);

        // One run in memory is written as it is; several are merged.
        if (runFiles_.empty()) {
            std::sort(run_.begin(), run_.end(), [](const Entry& a, const Entry& b) {
                return orderKey(a.tile, a.record) < orderKey(b.tile, b.record);
            });
            for (const Entry& e : run_) writeAll(out.get(), e.record.data(), kStarRecordBytes, temporary);
        } else {
            if (!run_.empty()) putRunAside();
            std::vector<RunReader> runs;
            for (const std::string& path : runFiles_) {
                runs.push_back({openFile(path, "rb", FileFault::CannotRead)});
                std::setvbuf(runs.back().file.get(), nullptr, _IOFBF, 1 << 16);
            }
            auto later = [&](std::size_t a, std::size_t b) {
                return orderKey(runs[a].tile, runs[a].record) > orderKey(runs[b].tile, runs[b].record);
            };
            std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(later)> next(later);
            for (std::size_t k = 0; k < runs.size(); ++k)
                if (runs[k].next()) next.push(k);
            while (!next.empty()) {
                const std::size_t k = next.top();
                next.pop();
                writeAll(out.get(), runs[k].record.data(), kStarRecordBytes, temporary);
                if (runs[k].next()) next.push(k);
            }
        }
        if (std::fflush(out.get()) != 0) throw FileError(FileFault::CannotWrite, temporary, std::strerror(errno));
    }
    std::error_code error;
    std::filesystem::rename(temporary, path_, error);
    if (error) throw FileError(FileFault::CannotWrite, path_, error.message());
    run_.clear();
}

}  // namespace sextrix
