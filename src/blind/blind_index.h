#pragma once
// The index that finds a field with no hint: quads of catalogue stars (four
// stars and the code of their shape, quad_code.h) over every part of the
// sky, in bands of quad sizes a factor 2 apart, each band's codes on a grid
// of cells searched by binary search (blind_index.cpp). The stars are the brightest few of each cell of a HEALPix grid
// about as fine as the band's largest quads, so that every field holds some of them whatever the sky's density; each
// cell gives its brightest stars a few quads.
//
// The file: "VSXQUAD2", then per band its sizes, cell order and counts, its
// stars (RA, Dec as doubles, J2000.0 at the catalogue's epoch, and the
// magnitude as a float), the first star of each HEALPix cell holding stars,
// and its quads (four star numbers and four code values in 16-bit steps)
// sorted by their cell on the codes' grid; little-endian. It is mapped, not read: opening
// costs nothing, and a search reads the few pages it touches.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "blind/quad_code.h"
#include "localcat/local_catalogue.h"
#include "state/mapped_file.h"
#include "state/read_result.h"

namespace sextrix {

struct IndexBand {
    double minQuadDeg = 0, maxQuadDeg = 0;
    int cellOrder = 0;
    int starsPerCell = 10;
    int quadsPerCell = 12;
};

// The index made for a local catalogue: its path with the extension ".index".
std::string blindIndexPathOf(const std::string& cataloguePath);

// Bands a factor 2 apart from minQuadDeg up to at least maxQuadDeg.
std::vector<IndexBand> indexBands(double minQuadDeg, double maxQuadDeg);

struct IndexStar {
    double raDeg = 0, decDeg = 0;
    float mag = 0;
};

struct IndexQuad {
    std::array<std::uint32_t, 4> stars{};  // A, B, C, D in the band's stars
    QuadCode code;
};

struct QuadMatch {
    int band = 0;
    std::uint32_t quad = 0;
};

class BlindIndex {
public:
    BlindIndex();
    ~BlindIndex();
    BlindIndex(BlindIndex&&) noexcept;
    BlindIndex& operator=(BlindIndex&&) noexcept;

    // progress(fraction) while the catalogue is read and the quads made. The
    // bands finer than the catalogue (fewer than three stars a cell on
    // average where it has stars) are left out.
    static BlindIndex build(const LocalCatalogue& catalogue, const std::vector<IndexBand>& bands,
                            const std::function<void(double)>& progress = {});
    // Through PATH.tmp renamed. Throws FileError.
    void save(const std::string& path) const;
    static Result<BlindIndex> load(const std::string& path);

    std::size_t bandCount() const;
    const IndexBand& band(int b) const;
    std::uint32_t starCount(int band) const;
    std::uint64_t quadCount(int band) const;
    std::uint64_t quadCount() const;
    IndexStar star(int band, std::uint32_t s) const;
    // The four stars of a quad near() found, A to D; none where the file is
    // damaged (a star number past the band's stars).
    std::optional<std::array<IndexStar, 4>> quadStars(const QuadMatch& match) const;

    // The quads of the bands whose sizes meet minDeg..maxDeg with a code
    // within radius (at most the grid's cell, 0.015) of this one.
    std::vector<QuadMatch> near(const QuadCode& code, double minDeg, double maxDeg, float radius) const;
    // The band's stars within radiusDeg of a direction.
    std::vector<std::uint32_t> starsNear(int band, double raDeg, double decDeg, double radiusDeg) const;

private:
    struct Band;
    std::vector<std::unique_ptr<Band>> bands_;
    std::optional<MappedFile> file_;  // what a loaded index's bands point into
};

}  // namespace sextrix
