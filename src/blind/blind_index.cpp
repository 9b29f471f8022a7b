#include "blind_index.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "blind/sky_vectors.h"
#include "localcat/catalogue_file.h"
#include "localcat/sky_tiles.h"
#include "state/errors.h"

namespace sextrix {
namespace {

constexpr char kMagic[8] = {'V', 'S', 'X', 'Q', 'U', 'A', 'D', '2'};
constexpr int kPairsPerStar = 4;  // C and D from the brightest this many inside the circle on AB

// The codes of a band on a grid of cells kCodeCell wide on each of their four
// axes: a quad's key is its cell, and the quads are kept sorted by key, so a
// code's neighbours within a cell's width are in the 81 cells around its
// own, each a range found by binary search. Nothing is built when the index
// is read: the keys follow from the codes.
constexpr float kCodeCell = 0.015f;

std::uint32_t codeKey(const std::array<float, 4>& code, const std::array<int, 4>& shift = {0, 0, 0, 0}) {
    std::uint32_t key = 0;
    for (int k = 0; k < 4; ++k) {
        // Codes lie within 0.71 of 0.5; the shift keeps the cells positive.
        const int cell = std::clamp(static_cast<int>(std::floor((code[k] + 0.5f) / kCodeCell)) + shift[k], 0, 255);
        key = key << 8 | static_cast<std::uint32_t>(cell);
    }
    return key;
}

}  // namespace

// The first star of a cell, in a band's stars sorted by cell.
struct CellStart {
    std::uint32_t cell, first;
};
static_assert(sizeof(CellStart) == 8, "a cell's start is stored as it is held");

// A quad is stored as its four star numbers and its code's values in steps
// of 1.5 / 65535 from -0.25 (codes lie within 0.71 of 0.5): 24 bytes.
constexpr std::size_t kStarBytes = 20, kCellBytes = sizeof(CellStart), kQuadBytes = 24;
constexpr float kCodeLow = -0.25f, kCodeStep = 1.5f / 65535;

std::uint16_t codeSteps(float value) {
    return static_cast<std::uint16_t>(std::clamp(std::lround((value - kCodeLow) / kCodeStep), 0L, 65535L));
}
float codeValue(std::uint16_t steps) { return kCodeLow + steps * kCodeStep; }

struct BlindIndex::Band {
    IndexBand settings;
    std::unique_ptr<SkyTiles> tiles;
    // The band's three sections as the file keeps them: in the index's
    // mapping when it was read, in the vectors below while it is built.
    const char* starBytes = nullptr;
    const char* cellBytes = nullptr;
    const char* quadBytes = nullptr;
    std::uint32_t starCount = 0, cellCount = 0;
    std::uint64_t quadCount = 0;
    // A band being built: its sections, and its stars' directions.
    std::vector<char> builtStars;
    std::vector<CellStart> builtCells;
    std::vector<char> builtQuadBytes;
    std::vector<SkyVector> vectors;

    IndexStar star(std::uint32_t i) const {
        IndexStar s;
        const char* at = starBytes + i * kStarBytes;
        std::memcpy(&s.raDeg, at, 8);
        std::memcpy(&s.decDeg, at + 8, 8);
        std::memcpy(&s.mag, at + 16, 4);
        return s;
    }
    SkyVector vectorOf(std::uint32_t i) const {
        if (!vectors.empty()) return vectors[i];
        const IndexStar s = star(i);
        return skyVector(s.raDeg, s.decDeg);
    }
    CellStart cellAt(std::uint32_t c) const {
        CellStart start;
        std::memcpy(&start, cellBytes + c * kCellBytes, kCellBytes);
        return start;
    }
    IndexQuad quad(std::uint64_t q) const {
        IndexQuad found;
        const char* at = quadBytes + q * kQuadBytes;
        std::memcpy(found.stars.data(), at, 16);
        std::uint16_t steps[4];
        std::memcpy(steps, at + 16, 8);
        for (int k = 0; k < 4; ++k) found.code.values[k] = codeValue(steps[k]);
        return found;
    }

    // Made from its stars, brightest first within each cell: the stars in
    // cell order, their cells and directions, then the quads sorted by key.
    void build(std::vector<IndexStar> stars) {
        tiles = std::make_unique<SkyTiles>(settings.cellOrder);
        std::vector<std::pair<std::uint32_t, IndexStar>> keyed;
        keyed.reserve(stars.size());
        for (const IndexStar& star : stars) keyed.push_back({tiles->tileOf(star.raDeg, star.decDeg), star});
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : a.second.mag < b.second.mag;
        });
        builtStars.resize(keyed.size() * kStarBytes);
        for (std::uint32_t i = 0; i < keyed.size(); ++i) {
            const auto& [cell, star] = keyed[i];
            char* at = builtStars.data() + i * kStarBytes;
            std::memcpy(at, &star.raDeg, 8);
            std::memcpy(at + 8, &star.decDeg, 8);
            std::memcpy(at + 16, &star.mag, 4);
            vectors.push_back(skyVector(star.raDeg, star.decDeg));
            if (builtCells.empty() || builtCells.back().cell != cell) builtCells.push_back({cell, i});
        }
        starBytes = builtStars.data(), starCount = static_cast<std::uint32_t>(keyed.size());
        cellBytes = reinterpret_cast<const char*>(builtCells.data());
        cellCount = static_cast<std::uint32_t>(builtCells.size());
        std::vector<IndexQuad> builtQuads = makeQuads();
        std::sort(builtQuads.begin(), builtQuads.end(), [](const IndexQuad& a, const IndexQuad& b) {
            return codeKey(a.code.values) < codeKey(b.code.values);
        });
        builtQuadBytes.resize(builtQuads.size() * kQuadBytes);
        for (std::size_t q = 0; q < builtQuads.size(); ++q) {
            char* at = builtQuadBytes.data() + q * kQuadBytes;
            std::memcpy(at, builtQuads[q].stars.data(), 16);
            for (int k = 0; k < 4; ++k) {
                const std::uint16_t steps = codeSteps(builtQuads[q].code.values[k]);
                std::memcpy(at + 16 + 2 * k, &steps, 2);
            }
        }
        quadBytes = builtQuadBytes.data(), quadCount = builtQuadBytes.size() / kQuadBytes;
        vectors = {};
    }

    // The first quad whose key is not below `key`.
    std::uint64_t firstQuadFrom(std::uint32_t key, std::uint64_t from) const {
        std::uint64_t count = quadCount - from;
        while (count > 0) {
            const std::uint64_t half = count / 2;
            if (codeKey(quad(from + half).code.values) < key)
                from += half + 1, count -= half + 1;
            else
                count = half;
        }
        return from;
    }

    // The quads whose code lies within radius (at most a cell) of this one.
    void near(const QuadCode& code, float radius, int band, std::vector<QuadMatch>& found) const {
        // The three cells along the last axis have consecutive keys: one
        // range for each of the 27 cells around on the other three.
        for (int around = 0; around < 27; ++around) {
            const int a = around / 9 - 1, b = around / 3 % 3 - 1, c = around % 3 - 1;
            const std::uint64_t first = firstQuadFrom(codeKey(code.values, {a, b, c, -1}), 0);
            const std::uint64_t last = firstQuadFrom(codeKey(code.values, {a, b, c, 1}) + 1, first);
            for (std::uint64_t q = first; q < last; ++q) {
                const QuadCode other = quad(q).code;
                float d2 = 0;
                for (int k = 0; k < 4; ++k) {
                    const float d = other.values[k] - code.values[k];
                    d2 += d * d;
                }
                if (d2 <= radius * radius) found.push_back({band, static_cast<std::uint32_t>(q)});
            }
        }
    }

    // The stars of a cell: [first, last).
    std::pair<std::uint32_t, std::uint32_t> cellStars(std::uint32_t cell) const {
        std::uint32_t lo = 0, count = cellCount;
        while (count > 0) {
            const std::uint32_t half = count / 2;
            if (cellAt(lo + half).cell < cell)
                lo += half + 1, count -= half + 1;
            else
                count = half;
        }
        if (lo == cellCount || cellAt(lo).cell != cell) return {0, 0};
        return {cellAt(lo).first, lo + 1 < cellCount ? cellAt(lo + 1).first : starCount};
    }

    // Stars within radiusDeg of a direction, brightest first.
    std::vector<std::uint32_t> near(const SkyVector& at, double raDeg, double decDeg, double radiusDeg) const {
        std::vector<std::pair<float, std::uint32_t>> found;
        for (const std::uint32_t cell : tiles->tilesNear(raDeg, decDeg, radiusDeg)) {
            const auto [first, last] = cellStars(cell);
            for (std::uint32_t s = first; s < last; ++s)
                if (separationDeg(at, vectorOf(s)) <= radiusDeg) found.push_back({star(s).mag, s});
        }
        std::sort(found.begin(), found.end());
        std::vector<std::uint32_t> stars;
        for (const auto& [mag, s] : found) stars.push_back(s);
        return stars;
    }

    // The quads of each cell: from its brightest stars as A, with B at a
    // distance within the band, and C, D the brightest inside the circle on
    // AB. Every star a quad of the cell can hold lies within the cell's
    // circle widened by the band's largest quads: those are gathered once
    // per cell, brightest first.
    // Their codes come already in steps, as they will be read.
    std::vector<IndexQuad> makeQuads() const {
        std::vector<IndexQuad> quads;
        for (std::uint32_t c = 0; c < cellCount; ++c) {
            const TileCircle circle = tiles->circleOf(builtCells[c].cell);
            const SkyVector centre = skyVector(circle.raDeg, circle.decDeg);
            const std::vector<std::uint32_t> around =
                near(centre, circle.raDeg, circle.decDeg, circle.radiusDeg + settings.maxQuadDeg);
            const std::uint32_t last = c + 1 < cellCount ? builtCells[c + 1].first : starCount;
            int made = 0;
            for (std::uint32_t a = builtCells[c].first; a < last; ++a) {
                if (made >= settings.quadsPerCell) break;
                for (const std::uint32_t b : around) {
                    if (made >= settings.quadsPerCell) break;
                    const double d = separationDeg(vectors[a], vectors[b]);
                    const float magA = star(a).mag, magB = star(b).mag;
                    if (b == a || d < settings.minQuadDeg || d > settings.maxQuadDeg || magB < magA ||
                        (magB == magA && b < a))
                        continue;
                    SkyVector mid{vectors[a][0] + vectors[b][0], vectors[a][1] + vectors[b][1],
                                  vectors[a][2] + vectors[b][2]};
                    const double norm = std::sqrt(dot(mid, mid));
                    for (double& v : mid) v /= norm;
                    std::vector<std::uint32_t> inside;
                    for (const std::uint32_t c : around) {
                        if (static_cast<int>(inside.size()) >= kPairsPerStar) break;
                        if (c != a && c != b && separationDeg(mid, vectors[c]) < d / 2) inside.push_back(c);
                    }
                    const TangentPlane plane(mid);
                    for (std::size_t i = 0; i < inside.size() && made < settings.quadsPerCell; ++i)
                        for (std::size_t j = i + 1; j < inside.size() && made < settings.quadsPerCell; ++j) {
                            const std::array<std::uint32_t, 4> four{a, b, inside[i], inside[j]};
                            std::array<PlanePoint, 4> points;
                            for (int k = 0; k < 4; ++k) points[k] = plane.project(vectors[four[k]]);
                            const std::optional<CodedQuad> coded = codeOf(points);
                            if (!coded) continue;
                            IndexQuad quad;
                            for (int k = 0; k < 4; ++k) quad.stars[k] = four[coded->order[k]];
                            for (int k = 0; k < 4; ++k)
                                quad.code.values[k] = codeValue(codeSteps(coded->code.values[k]));
                            quads.push_back(quad);
                            ++made;
                        }
                }
            }
        }
        return quads;
    }
};

std::string blindIndexPathOf(const std::string& cataloguePath) {
    return std::filesystem::path(cataloguePath).replace_extension(".index").string();
}

std::vector<IndexBand> indexBands(double minQuadDeg, double maxQuadDeg) {
    std::vector<IndexBand> bands;
    for (double d = minQuadDeg; d < maxQuadDeg; d *= 2) {
        IndexBand band;
        band.minQuadDeg = d;
        band.maxQuadDeg = 2 * d;
        // Cells about as wide as the band's largest quads (58.6 / 2^k degrees).
        band.cellOrder = std::clamp(static_cast<int>(std::ceil(std::log2(58.6 / band.maxQuadDeg))), 0, 10);
        bands.push_back(band);
    }
    return bands;
}

BlindIndex::BlindIndex() = default;
BlindIndex::~BlindIndex() = default;
BlindIndex::BlindIndex(BlindIndex&&) noexcept = default;
BlindIndex& BlindIndex::operator=(BlindIndex&&) noexcept = default;

BlindIndex BlindIndex::build(const LocalCatalogue& catalogue, const std::vector<IndexBand>& bands,
                             const std::function<void(double)>& progress) {
    BlindIndex index;
    std::vector<SkyTiles> grids;
    // Per band, per cell, its brightest stars so far.
    std::vector<std::unordered_map<std::uint32_t, std::vector<IndexStar>>> brightest(bands.size());
    for (const IndexBand& b : bands) grids.emplace_back(b.cellOrder);
    std::uint64_t read = 0;
    const std::uint64_t total = catalogue.header().stars;
    catalogue.forEachStar([&](const LocalStar& star) {
        if (progress && ++read % (1 << 20) == 0) progress(0.5 * read / static_cast<double>(total));
        if (!star.magR) return;
        const IndexStar s{star.raDeg, star.decDeg, static_cast<float>(*star.magR)};
        for (std::size_t b = 0; b < bands.size(); ++b) {
            std::vector<IndexStar>& kept = brightest[b][grids[b].tileOf(star.raDeg, star.decDeg)];
            const auto at = std::upper_bound(kept.begin(), kept.end(), s,
                                             [](const IndexStar& x, const IndexStar& y) { return x.mag < y.mag; });
            if (at - kept.begin() < bands[b].starsPerCell) {
                kept.insert(at, s);
                if (static_cast<int>(kept.size()) > bands[b].starsPerCell) kept.pop_back();
            }
        }
    });
    for (std::size_t b = 0; b < bands.size(); ++b) {
        // A band whose cells hold fewer than three stars on average, where
        // there are stars, is finer than the catalogue: its fields show too
        // few of its stars.
        std::size_t kept = 0;
        for (const auto& [cell, stars] : brightest[b]) kept += stars.size();
        if (kept < 2 * brightest[b].size()) continue;
        auto band = std::make_unique<Band>();
        band->settings = bands[b];
        std::vector<IndexStar> stars;
        for (auto& [cell, kept] : brightest[b]) stars.insert(stars.end(), kept.begin(), kept.end());
        brightest[b].clear();
        band->build(std::move(stars));
        index.bands_.push_back(std::move(band));
        if (progress) progress(0.5 + 0.5 * (b + 1) / static_cast<double>(bands.size()));
    }
    return index;
}

std::size_t BlindIndex::bandCount() const { return bands_.size(); }
const IndexBand& BlindIndex::band(int b) const { return bands_[static_cast<std::size_t>(b)]->settings; }
std::uint32_t BlindIndex::starCount(int b) const { return bands_[static_cast<std::size_t>(b)]->starCount; }
std::uint64_t BlindIndex::quadCount(int b) const { return bands_[static_cast<std::size_t>(b)]->quadCount; }
IndexStar BlindIndex::star(int b, std::uint32_t s) const { return bands_[static_cast<std::size_t>(b)]->star(s); }

std::uint64_t BlindIndex::quadCount() const {
    std::uint64_t n = 0;
    for (const auto& b : bands_) n += b->quadCount;
    return n;
}

std::optional<std::array<IndexStar, 4>> BlindIndex::quadStars(const QuadMatch& match) const {
    const Band& band = *bands_[static_cast<std::size_t>(match.band)];
    const IndexQuad quad = band.quad(match.quad);
    std::array<IndexStar, 4> four;
    for (int k = 0; k < 4; ++k) {
        if (quad.stars[k] >= band.starCount) return std::nullopt;
        four[k] = band.star(quad.stars[k]);
    }
    return four;
}

std::vector<QuadMatch> BlindIndex::near(const QuadCode& code, double minDeg, double maxDeg, float radius) const {
    std::vector<QuadMatch> found;
    radius = std::min(radius, kCodeCell);
    for (std::size_t b = 0; b < bands_.size(); ++b) {
        const Band& band = *bands_[b];
        if (band.settings.maxQuadDeg < minDeg || band.settings.minQuadDeg > maxDeg) continue;
        band.near(code, radius, static_cast<int>(b), found);
    }
    return found;
}

std::vector<std::uint32_t> BlindIndex::starsNear(int b, double raDeg, double decDeg, double radiusDeg) const {
    const Band& band = *bands_[static_cast<std::size_t>(b)];
    return band.near(skyVector(raDeg, decDeg), raDeg, decDeg, radiusDeg);
}

// A band's header in the file: its quad sizes, cell order, stars and quads
// per cell, and the counts of its stars, cells and quads.
constexpr std::size_t kBandHeaderBytes = 8 + 8 + 3 * 4 + 2 * 4 + 8;

void BlindIndex::save(const std::string& path) const {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw FileError(FileFault::CannotWrite, temporary, std::strerror(errno));
        const auto put = [&](const void* bytes, std::size_t size) {
            out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
        };
        put(kMagic, sizeof kMagic);
        const auto count = static_cast<std::uint32_t>(bands_.size());
        put(&count, 4);
        for (const auto& band : bands_) {
            const IndexBand& s = band->settings;
            const std::int32_t ints[3] = {s.cellOrder, s.starsPerCell, s.quadsPerCell};
            const std::uint32_t counts[2] = {band->starCount, band->cellCount};
            put(&s.minQuadDeg, 8);
            put(&s.maxQuadDeg, 8);
            put(ints, sizeof ints);
            put(counts, sizeof counts);
            put(&band->quadCount, 8);
            put(band->starBytes, band->starCount * kStarBytes);
            put(band->cellBytes, band->cellCount * kCellBytes);
            put(band->quadBytes, band->quadCount * kQuadBytes);
        }
        out.flush();
        if (!out) throw FileError(FileFault::CannotWrite, temporary, std::strerror(errno));
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) throw FileError(FileFault::CannotWrite, path, error.message());
}

Result<BlindIndex> BlindIndex::load(const std::string& path) {
    Result<MappedFile> mapped = MappedFile::open(path);
    if (!mapped) return mapped.error();
    const std::span<const char> file = mapped->bytes();
    const auto refused = [&](std::string why) -> Result<BlindIndex> { return ReadError{path, 0, std::move(why)}; };
    std::size_t at = 0;
    // The next `count` records of `size` bytes, or none past the file's end.
    const auto take = [&](std::uint64_t count, std::size_t size) -> const char* {
        if (count > (file.size() - at) / size) return nullptr;
        const char* bytes = file.data() + at;
        at += count * size;
        return bytes;
    };
    const char* magic = take(8, 1);
    if (!magic || std::memcmp(magic, kMagic, 8) != 0)
        return refused(magic && std::memcmp(magic, kMagic, 7) == 0 ? "an index of an earlier version of this program"
                                                                   : "not an index of this program");
    std::uint32_t count = 0;
    const char* countBytes = take(4, 1);
    if (!countBytes || (std::memcpy(&count, countBytes, 4), count > 64)) return refused("a damaged header");
    BlindIndex index;
    for (std::uint32_t b = 0; b < count; ++b) {
        const std::string which = ", band " + std::to_string(b + 1);
        const char* headerBytes = take(kBandHeaderBytes, 1);
        if (!headerBytes) return refused("cut short" + which);
        IndexBand settings;
        std::int32_t ints[3];
        std::uint32_t counts[2];
        std::uint64_t quads = 0;
        std::memcpy(&settings.minQuadDeg, headerBytes, 8);
        std::memcpy(&settings.maxQuadDeg, headerBytes + 8, 8);
        std::memcpy(ints, headerBytes + 16, sizeof ints);
        std::memcpy(counts, headerBytes + 28, sizeof counts);
        std::memcpy(&quads, headerBytes + 36, 8);
        settings.cellOrder = ints[0], settings.starsPerCell = ints[1], settings.quadsPerCell = ints[2];
        const auto [stars, cells] = counts;
        if (settings.cellOrder < 0 || settings.cellOrder > 13 ||
            !(settings.minQuadDeg > 0 && settings.minQuadDeg < settings.maxQuadDeg) || cells > stars)
            return refused("a damaged band " + std::to_string(b + 1));
        auto band = std::make_unique<Band>();
        band->settings = settings;
        band->tiles = std::make_unique<SkyTiles>(settings.cellOrder);
        band->starBytes = take(stars, kStarBytes);
        band->cellBytes = take(cells, kCellBytes);
        band->quadBytes = take(quads, kQuadBytes);
        if (!band->starBytes || !band->cellBytes || !band->quadBytes) return refused("cut short" + which);
        band->starCount = stars, band->cellCount = cells, band->quadCount = quads;
        // The cells are few: each must start after the one before, within
        // the stars. The quads are checked where they are used.
        const std::uint64_t cellsOnSky = 12ull << (2 * settings.cellOrder);
        for (std::uint32_t c = 0; c < cells; ++c) {
            const CellStart start = band->cellAt(c), before = c > 0 ? band->cellAt(c - 1) : CellStart{0, 0};
            if (start.cell >= cellsOnSky || start.first >= stars ||
                (c == 0 ? start.first != 0 : start.cell <= before.cell || start.first <= before.first))
                return refused("a damaged cell table" + which);
        }
        index.bands_.push_back(std::move(band));
    }
    if (at != file.size()) return refused("bytes after the last band");
    index.file_ = std::move(*mapped);
    return index;
}

}  // namespace sextrix
