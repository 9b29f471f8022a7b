#pragma once
// A local catalogue file (catalogue_file.h) open for cone searches: the
// header is read when it opens, then each cone reads two index entries per
// tile it touches and those tiles' stars down to its magnitude limit.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue_file.h"
#include "sky_tiles.h"
#include "state/read_result.h"

namespace sextrix {

struct ConeStats {
    std::size_t tiles = 0;        // tiles touched
    std::uint64_t bytesRead = 0;  // index entries and stars
};

class LocalCatalogue {
public:
    // The header read and checked against the file's size; an error for a
    // file that cannot be opened, is no local catalogue, or is cut short.
    static Result<LocalCatalogue> open(const std::string& path);
    ~LocalCatalogue();
    LocalCatalogue(LocalCatalogue&& other) noexcept;
    LocalCatalogue& operator=(LocalCatalogue&&) = delete;

    const CatalogueHeader& header() const { return header_; }
    const std::string& path() const { return path_; }
    std::uint64_t fileBytes() const { return bytes_; }

    // The stars within radiusDeg of the centre (J2000.0 degrees) whose R-like
    // magnitude is at most magLimit (stars without one are left out),
    // brightest first. Positions are moved to epochYear by their proper
    // motions when it is given (the catalogue's epoch otherwise). Throws
    // FileError when the file cannot be read.
    std::vector<LocalStar> cone(double raDeg, double decDeg, double radiusDeg, double magLimit,
                                std::optional<double> epochYear = std::nullopt, ConeStats* stats = nullptr) const;

    // Every star of the file, tile after tile, each tile brightest first,
    // at the catalogue's epoch; read in blocks. Throws FileError.
    void forEachStar(const std::function<void(const LocalStar&)>& take) const;

private:
    LocalCatalogue(std::string path, int fd, CatalogueHeader header, std::uint64_t bytes);
    void readAt(std::uint64_t offset, void* into, std::size_t size) const;

    std::string path_;
    int fd_ = -1;
    CatalogueHeader header_;
    std::uint64_t bytes_ = 0;
    SkyTiles tiles_;
};

// The star moved by its proper motion from the catalogue's epoch to
// epochYear (Julian years), along the great circle of its motion.
LocalStar starAtEpoch(const LocalStar& star, double catalogueEpoch, double epochYear);

}  // namespace sextrix
