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

constexpr char kMagic[8] = {'V', 'S', 'X', 'Q', 'U', 'A', 'D', '1'};
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

struct BlindIndex::Band {
    IndexBand settings;
    std::vector<IndexStar> stars;
    std::vector<IndexQuad> quads;
    // Built when the band is complete. The stars are kept by cell, each
    // cell's brightest first; a cell's stars run from its start to the next.
    std::vector<SkyVector> vectors;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> cellStarts;  // (cell, first star), by cell
    std::vector<std::uint32_t> keys;                                  // of the quads, in their order, sorted
    std::unique_ptr<SkyTiles> tiles;

    // The stars in cell order, brightest first within each cell.
    void sortByCell() {
        tiles = std::make_unique<SkyTiles>(settings.cellOrder);
        std::vector<std::pair<std::uint32_t, IndexStar>> keyed;
        keyed.reserve(stars.size());
        for (const IndexStar& star : stars) keyed.push_back({tiles->tileOf(star.raDeg, star.decDeg), star});
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : a.second.mag < b.second.mag;
        });
        for (std::size_t i = 0; i < keyed.size(); ++i) stars[i] = keyed[i].second;
    }

    // The vectors and the cells of stars already in cell order.
    void locate() {
        if (!tiles) tiles = std::make_unique<SkyTiles>(settings.cellOrder);
        vectors.clear();
        cellStarts.clear();
        vectors.reserve(stars.size());
        for (std::uint32_t i = 0; i < stars.size(); ++i) {
            vectors.push_back(skyVector(stars[i].raDeg, stars[i].decDeg));
            const std::uint32_t cell = tiles->tileOf(stars[i].raDeg, stars[i].decDeg);
            if (cellStarts.empty() || cellStarts.back().first != cell) cellStarts.push_back({cell, i});
        }
    }

    // The quads in the order of their keys.
    void sortQuads() {
        std::sort(quads.begin(), quads.end(), [](const IndexQuad& a, const IndexQuad& b) {
            return codeKey(a.code.values) < codeKey(b.code.values);
        });
    }

    // The keys of quads already sorted; false when they are not.
    bool keyQuads() {
        keys.clear();
        keys.reserve(quads.size());
        for (const IndexQuad& quad : quads) {
            keys.push_back(codeKey(quad.code.values));
            if (keys.size() > 1 && keys[keys.size() - 2] > keys.back()) return false;
        }
        return true;
    }

    // The quads whose code lies within radius (at most a cell) of this one.
    void near(const QuadCode& code, float radius, int band, std::vector<QuadMatch>& found) const {
        // The three cells along the last axis have consecutive keys: one
        // range for each of the 27 cells around on the other three.
        for (int around = 0; around < 27; ++around) {
            const int a = around / 9 - 1, b = around / 3 % 3 - 1, c = around % 3 - 1;
            const auto first = std::lower_bound(keys.begin(), keys.end(), codeKey(code.values, {a, b, c, -1}));
            const auto last = std::upper_bound(first, keys.end(), codeKey(code.values, {a, b, c, 1}));
            for (auto it = first; it != last; ++it) {
                const auto q = static_cast<std::uint32_t>(it - keys.begin());
                float d2 = 0;
                for (int k = 0; k < 4; ++k) {
                    const float d = quads[q].code.values[k] - code.values[k];
                    d2 += d * d;
                }
                if (d2 <= radius * radius) found.push_back({band, q});
            }
        }
    }

    // The stars of a cell: [first, last).
    std::pair<std::uint32_t, std::uint32_t> cellStars(std::uint32_t cell) const {
        const auto it = std::lower_bound(cellStarts.begin(), cellStarts.end(), std::pair{cell, 0u});
        if (it == cellStarts.end() || it->first != cell) return {0, 0};
        const auto next = it + 1;
        return {it->second, next == cellStarts.end() ? static_cast<std::uint32_t>(stars.size()) : next->second};
    }

    // Stars within radiusDeg of a direction, brightest first.
    std::vector<std::uint32_t> near(const SkyVector& at, double raDeg, double decDeg, double radiusDeg) const {
        std::vector<std::uint32_t> found;
        for (const std::uint32_t cell : tiles->tilesNear(raDeg, decDeg, radiusDeg)) {
            const auto [first, last] = cellStars(cell);
            for (std::uint32_t s = first; s < last; ++s)
                if (separationDeg(at, vectors[s]) <= radiusDeg) found.push_back(s);
        }
        std::sort(found.begin(), found.end(), [&](auto a, auto b) { return stars[a].mag < stars[b].mag; });
        return found;
    }

    // The quads of each cell: from its brightest stars as A, with B at a
    // distance within the band, and C, D the brightest inside the circle on
    // AB. Every star a quad of the cell can hold lies within the cell's
    // circle widened by the band's largest quads: those are gathered once
    // per cell, brightest first.
    void makeQuads() {
        for (std::size_t c = 0; c < cellStarts.size(); ++c) {
            const TileCircle circle = tiles->circleOf(cellStarts[c].first);
            const SkyVector centre = skyVector(circle.raDeg, circle.decDeg);
            const std::vector<std::uint32_t> around =
                near(centre, circle.raDeg, circle.decDeg, circle.radiusDeg + settings.maxQuadDeg);
            const std::uint32_t last =
                c + 1 < cellStarts.size() ? cellStarts[c + 1].second : static_cast<std::uint32_t>(stars.size());
            int made = 0;
            for (std::uint32_t a = cellStarts[c].second; a < last; ++a) {
                if (made >= settings.quadsPerCell) break;
                for (const std::uint32_t b : around) {
                    if (made >= settings.quadsPerCell) break;
                    const double d = separationDeg(vectors[a], vectors[b]);
                    if (b == a || d < settings.minQuadDeg || d > settings.maxQuadDeg || stars[b].mag < stars[a].mag ||
                        (stars[b].mag == stars[a].mag && b < a))
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
                            quad.code = coded->code;
                            quads.push_back(quad);
                            ++made;
                        }
                }
            }
        }
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
        if (kept < 3 * brightest[b].size()) continue;
        auto band = std::make_unique<Band>();
        band->settings = bands[b];
        for (auto& [cell, kept] : brightest[b]) band->stars.insert(band->stars.end(), kept.begin(), kept.end());
        brightest[b].clear();
        band->sortByCell();
        band->locate();
        band->makeQuads();
        band->sortQuads();
        band->keyQuads();
        index.bands_.push_back(std::move(band));
        if (progress) progress(0.5 + 0.5 * (b + 1) / static_cast<double>(bands.size()));
    }
    return index;
}

std::size_t BlindIndex::bandCount() const { return bands_.size(); }
const IndexBand& BlindIndex::band(int b) const { return bands_[static_cast<std::size_t>(b)]->settings; }
const std::vector<IndexStar>& BlindIndex::stars(int b) const { return bands_[static_cast<std::size_t>(b)]->stars; }
const std::vector<IndexQuad>& BlindIndex::quads(int b) const { return bands_[static_cast<std::size_t>(b)]->quads; }

std::uint64_t BlindIndex::quadCount() const {
    std::uint64_t n = 0;
    for (const auto& b : bands_) n += b->quads.size();
    return n;
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
            put(&s.minQuadDeg, 8);
            put(&s.maxQuadDeg, 8);
            put(ints, sizeof ints);
            const std::uint64_t sizes[2] = {band->stars.size(), band->quads.size()};
            put(sizes, sizeof sizes);
            for (const IndexStar& star : band->stars) {
                put(&star.raDeg, 8);
                put(&star.decDeg, 8);
                put(&star.mag, 4);
            }
            put(band->quads.data(), band->quads.size() * sizeof(IndexQuad));
        }
        out.flush();
        if (!out) throw FileError(FileFault::CannotWrite, temporary, std::strerror(errno));
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) throw FileError(FileFault::CannotWrite, path, error.message());
}

Result<BlindIndex> BlindIndex::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return ReadError{path, 0, std::strerror(errno), errno == ENOENT ? FileFault::NotFound : FileFault::CannotRead};
    const auto refused = [&](std::string why) -> Result<BlindIndex> { return ReadError{path, 0, std::move(why)}; };
    const auto get = [&](void* into, std::size_t size) {
        return static_cast<bool>(in.read(static_cast<char*>(into), static_cast<std::streamsize>(size)));
    };
    char magic[8];
    std::uint32_t count = 0;
    if (!get(magic, 8) || std::memcmp(magic, kMagic, 8) != 0) return refused("not an index of this program");
    if (!get(&count, 4) || count > 64) return refused("a damaged header");
    const auto size = std::filesystem::file_size(path);
    BlindIndex index;
    for (std::uint32_t b = 0; b < count; ++b) {
        auto band = std::make_unique<Band>();
        IndexBand& s = band->settings;
        std::int32_t ints[3];
        std::uint64_t sizes[2];
        if (!get(&s.minQuadDeg, 8) || !get(&s.maxQuadDeg, 8) || !get(ints, sizeof ints) || !get(sizes, sizeof sizes))
            return refused("cut short");
        s.cellOrder = ints[0], s.starsPerCell = ints[1], s.quadsPerCell = ints[2];
        if (s.cellOrder < 0 || s.cellOrder > 13 || sizes[0] * 20 + sizes[1] * 32 > size || sizes[0] >= (1ull << 32))
            return refused("a damaged band " + std::to_string(b + 1));
        // Read whole, then unpacked: 20 bytes a star, 32 a quad.
        std::vector<char> bytes(sizes[0] * 20);
        if (!get(bytes.data(), bytes.size())) return refused("cut short");
        band->stars.resize(sizes[0]);
        for (std::size_t i = 0; i < sizes[0]; ++i) {
            IndexStar& star = band->stars[i];
            std::memcpy(&star.raDeg, &bytes[i * 20], 8);
            std::memcpy(&star.decDeg, &bytes[i * 20 + 8], 8);
            std::memcpy(&star.mag, &bytes[i * 20 + 16], 4);
        }
        band->quads.resize(sizes[1]);
        static_assert(sizeof(IndexQuad) == 32, "a quad is read as it is stored");
        if (!get(band->quads.data(), sizes[1] * sizeof(IndexQuad))) return refused("cut short");
        for (const IndexQuad& quad : band->quads)
            for (std::uint32_t star : quad.stars)
                if (star >= sizes[0])
                    return refused("a quad of a star that is not there, band " + std::to_string(b + 1));
        band->locate();
        if (!band->keyQuads()) return refused("quads out of order, band " + std::to_string(b + 1));
        index.bands_.push_back(std::move(band));
    }
    if (in.peek() != std::char_traits<char>::eof()) return refused("bytes after the last band");
    return index;
}

}  // namespace sextrix
