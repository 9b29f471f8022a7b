#pragma once
// Writes a local catalogue file (catalogue_file.h) from stars given in any
// order, with memory bounded whatever their number: they are gathered in
// runs of settings.runStars, each sorted by tile and brightness and put
// aside in a file beside the catalogue, then the runs are merged into it.
// The catalogue is written to PATH.tmp and renamed over PATH at the end, so
// an interrupted or failed import leaves the earlier file as it was.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue_file.h"
#include "sky_tiles.h"
#include "star_record.h"

namespace sextrix {

struct CatalogueWriterSettings {
    int order = kDefaultTileOrder;
    std::size_t runStars = 4'000'000;  // about 130 MB of stars held at once
};

class LocalCatalogueWriter {
public:
    explicit LocalCatalogueWriter(std::string path, CatalogueWriterSettings settings = {});
    ~LocalCatalogueWriter();  // removes what finish() did not take
    LocalCatalogueWriter(const LocalCatalogueWriter&) = delete;
    LocalCatalogueWriter& operator=(const LocalCatalogueWriter&) = delete;

    // Throws std::invalid_argument for a star packStar refuses, FileError
    // when a run cannot be put aside.
    void add(const LocalStar& star);
    std::uint64_t stars() const { return stars_; }

    // Merges the runs into PATH.tmp, the stars being of this source, and
    // renames it to PATH. Throws FileError.
    void finish(LocalSource source);

private:
    struct Entry {
        std::uint32_t tile;
        StarRecord record;
    };
    void putRunAside();

    std::string path_;
    CatalogueHeader header_;
    CatalogueWriterSettings settings_;
    SkyTiles tiles_;
    std::vector<std::uint64_t> perTile_;
    std::vector<Entry> run_;
    std::vector<std::string> runFiles_;
    std::uint64_t stars_ = 0;
};

}  // namespace sextrix
