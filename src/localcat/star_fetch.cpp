#include "star_fetch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "catalog/answer_fetch.h"
#include "catalog/asu_tsv.h"
#include "catalog/service_text.h"
#include "sky_tiles.h"
#include "star_import.h"
#include "state/angle_units.h"
#include "state/errors.h"
#include "state/text_file.h"

namespace sextrix {
namespace {

constexpr int kFirstOrder = 2;  // tiles of about 15 degrees: no query wider than that
constexpr int kLastOrder = 13;  // SkyTiles' last

// Stars of the whole sky to an R-like magnitude, rounded from the star
// counts; between two rows the logarithm goes on a straight line.
struct SkyCount {
    double mag, stars;
};
constexpr SkyCount kSkyStars[] = {{6, 1e4},  {8, 6e4},    {10, 4e5}, {12, 3e6},  {14, 1.5e7},
                                  {16, 7e7}, {18, 2.5e8}, {20, 8e8}, {21, 1.8e9}};

double skyStars(double mag) {
    if (mag <= kSkyStars[0].mag) return kSkyStars[0].stars;
    for (std::size_t i = 1; i < std::size(kSkyStars); ++i) {
        const SkyCount a = kSkyStars[i - 1], b = kSkyStars[i];
        if (mag <= b.mag)
            return std::pow(10, std::log10(a.stars) +
                                    (mag - a.mag) / (b.mag - a.mag) * (std::log10(b.stars) - std::log10(a.stars)));
    }
    return kSkyStars[std::size(kSkyStars) - 1].stars;
}

// The query circles reach a little beyond the tiles, a tenth of their
// radius up to 3': VizieR's cone may be on positions other than the ones
// kept (Gaia DR3's of 2016 or of J2000.0), and a star moving fast may be on
// the other side of a tile's edge in one of them. A fixed margin would
// keep a small tile's answer from ever shrinking below the cap.
double queryRadiusDeg(double tileRadiusDeg) { return tileRadiusDeg + std::min(0.05, tileRadiusDeg / 10); }

LocalSource sourceOf(VizierCatalogue catalogue) {
    switch (catalogue) {
        case VizierCatalogue::Ucac4: return LocalSource::Ucac4;
        case VizierCatalogue::GaiaDr3: return LocalSource::GaiaDr3;
        case VizierCatalogue::UsnoA2:
        default: return LocalSource::UsnoA2;
    }
}

double separationDeg(double ra1, double dec1, double ra2, double dec2) {
    const double a = std::sin(toRadians(dec2 - dec1) / 2), b = std::sin(toRadians(ra2 - ra1) / 2);
    const double h = a * a + std::cos(toRadians(dec1)) * std::cos(toRadians(dec2)) * b * b;
    return toDegrees(2 * std::asin(std::min(1.0, std::sqrt(h))));
}

std::array<FetchTile, 4> childrenOf(const FetchTile& tile) {
    std::array<FetchTile, 4> children;
    for (std::uint32_t i = 0; i < 4; ++i) children[i] = {tile.order + 1, tile.tile * 4 + i};
    return children;
}

// A VizieR answer of no row: comments and blank lines only, no error among
// them, ended by its closing "#INFO matches=" line.
bool noRowAnswer(std::string_view body) {
    const std::vector<std::string_view> lines = bodyLines(body);
    std::string_view last;
    for (const std::string_view line : lines) {
        if (trimmed(line).empty()) continue;
        if (line.front() != '#' || isAsuError(line)) return false;
        last = line;
    }
    return isAsuClosing(last);
}

std::string tilePath(const std::string& folder, const FetchTile& tile, const char* extension) {
    return joinPath(folder, tileName(tile) + extension);
}

// The tile's words in messages: its name and the circle asked.
std::string tileWords(const FetchTile& tile, const TileCircle& circle) {
    return "tile " + tileName(tile) + " (RA " + trimmedText(circle.raDeg, 4) + " Dec " + trimmedText(circle.decDeg, 4) +
           ")";
}

enum class TileEnd { Saved, Split };

TileEnd fetchTile(Http& http, const FetchRequest& request, const FetchTile& tile, const std::string& folder,
                  const FetchService& service) {
    const TileCircle circle = SkyTiles(tile.order).circleOf(tile.tile);
    const std::string words = tileWords(tile, circle);
    const bool splittable = tile.order < kLastOrder;
    HttpRequest get;
    get.url = vizierCatalogueUrl(service.address, request.catalogue,
                                 {circle.raDeg, circle.decDeg, queryRadiusDeg(circle.radiusDeg) * 60, request.magLimit},
                                 service.rowCap);
    get.timeoutMs = service.timeoutSeconds * 1000;
    FetchedAnswer fetched = fetchAnswer(http, get, service.maxBytes, {});
    if (fetched.failure == FetchFailure::TooLarge && splittable) return TileEnd::Split;
    if (fetched.failure != FetchFailure::None)
        throw FetchStopped(words + ": " + fetchFailureText(fetched, {}, service.timeoutSeconds, service.maxBytes));

    const std::string path = tilePath(folder, tile, ".tsv");
    const std::string& body = fetched.answer->bytes;
    if (noRowAnswer(body)) {
        writeFileBytes(path, {});
        return TileEnd::Saved;
    }
    // Read whole by the import's reader before it counts as fetched.
    const std::string part = path + ".part";
    writeFileBytes(part, body);
    const Result<ImportedFile> read = importStars(part, [](const LocalStar&) {});
    std::string refusal;
    if (!read)
        refusal = "not a whole VizieR answer: " + describeWithoutFile(read.error());
    else if (read->source != sourceOf(request.catalogue))
        refusal = "an answer of " + std::string(localSourceName(read->source)) + ", not of " +
                  std::string(localSourceName(sourceOf(request.catalogue)));
    else if (read->stars + read->skipped >= static_cast<std::uint64_t>(service.rowCap) && !splittable)
        refusal = "more than " + std::to_string(service.rowCap) + " stars in the smallest tile";
    if (!refusal.empty()) {
        deleteFile(part);
        throw FetchStopped(words + ": " + refusal);
    }
    if (read->stars + read->skipped >= static_cast<std::uint64_t>(service.rowCap)) {
        deleteFile(part);
        return TileEnd::Split;
    }
    std::error_code error;
    std::filesystem::rename(part, path, error);
    if (error) throw FileError(FileFault::CannotWrite, path, error.message());
    return TileEnd::Saved;
}

}  // namespace

std::string tileName(const FetchTile& tile) { return std::to_string(tile.order) + "-" + std::to_string(tile.tile); }

int fetchOrder(const FetchRequest& request, int rowCap) {
    const double perTile = std::max(1, rowCap) / 8.0;
    const double stars = skyStars(request.magLimit);
    int order = kFirstOrder;
    while (order < kLastOrder && stars / static_cast<double>(tileCountOf(order)) > perTile) ++order;
    if (request.region)
        while (order < kLastOrder && SkyTiles(order).circleOf(0).radiusDeg > request.region->radiusDeg) ++order;
    return order;
}

std::vector<FetchTile> requestTiles(const FetchRequest& request, int order) {
    const SkyTiles tiles(order);
    std::vector<FetchTile> all;
    if (request.region) {
        const SkyRegion& r = *request.region;
        for (const std::uint32_t t : tiles.tilesNear(r.raDeg, r.decDeg, r.radiusDeg)) all.push_back({order, t});
    } else {
        for (std::uint32_t t = 0; t < tiles.count(); ++t) all.push_back({order, t});
    }
    return all;
}

std::string requestRecord(const FetchRequest& request, int order) {
    std::string text = "catalogue " + std::string(vizierSource(request.catalogue)) + "\n";
    text += request.region
                ? "region " + trimmedText(request.region->raDeg, 6) + " " + trimmedText(request.region->decDeg, 6) +
                      " " + trimmedText(request.region->radiusDeg, 6) + "\n"
                : "region all\n";
    text += "magnitude " + trimmedText(request.magLimit, 3) + "\n";
    text += "order " + std::to_string(order) + "\n";
    return text;
}

void prepareFetchFolder(const std::string& folder, const std::string& record) {
    const std::string file = joinPath(folder, "request");
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
        const Result<std::string> held = readFileBytes(file);
        if (!held) throw FetchStopped(folder + " is not a fetch folder (no request file in it): remove it or move it");
        if (*held != record)
            throw FetchStopped(folder + " holds the tiles of another request:\n" + *held +
                               "remove the folder to fetch this one, or repeat that request to finish it");
        return;
    }
    std::filesystem::create_directories(folder, error);
    if (error) throw FileError(FileFault::CannotWrite, folder, error.message());
    writeFileBytes(file, record);
}

FetchCounts fetchTiles(Http& http, const FetchRequest& request, int order, const std::string& folder,
                       const FetchService& service,
                       const std::function<void(std::size_t, std::size_t, const std::string&)>& progress) {
    const std::vector<FetchTile> first = requestTiles(request, order);
    std::deque<FetchTile> queue(first.begin(), first.end());
    std::size_t k = 0, n = queue.size();
    FetchCounts counts;
    while (!queue.empty()) {
        const FetchTile tile = queue.front();
        queue.pop_front();
        ++k;
        if (fileExists(tilePath(folder, tile, ".tsv"))) {
            ++counts.kept;
            continue;
        }
        const bool wasSplit = fileExists(tilePath(folder, tile, ".split"));
        if (!wasSplit) {
            if (progress) progress(k, n, tileName(tile));
            if (fetchTile(http, request, tile, folder, service) == TileEnd::Saved) {
                ++counts.fetched;
                continue;
            }
            writeFileBytes(tilePath(folder, tile, ".split"), {});
            ++counts.split;
        }
        for (const FetchTile& child : childrenOf(tile)) queue.push_back(child);
        n += 4;
    }
    return counts;
}

FetchedStars importFetchedTiles(const FetchRequest& request, int order, const std::string& folder,
                                LocalCatalogueWriter& writer) {
    FetchedStars fetched{.source = sourceOf(request.catalogue)};
    std::vector<std::optional<SkyTiles>> tiles(kLastOrder + 1);
    const std::vector<FetchTile> first = requestTiles(request, order);
    std::deque<FetchTile> queue(first.begin(), first.end());
    while (!queue.empty()) {
        const FetchTile tile = queue.front();
        queue.pop_front();
        const std::string path = tilePath(folder, tile, ".tsv");
        if (!fileExists(path)) {
            if (!fileExists(tilePath(folder, tile, ".split")))
                throw FetchStopped("tile " + tileName(tile) + " is missing from " + folder);
            for (const FetchTile& child : childrenOf(tile)) queue.push_back(child);
            continue;
        }
        std::error_code error;
        if (std::filesystem::file_size(path, error) == 0 && !error) continue;  // a tile of no star
        if (!tiles[tile.order]) tiles[tile.order].emplace(tile.order);
        const SkyTiles& sky = *tiles[tile.order];
        const Result<ImportedFile> read = importStars(path, [&](const LocalStar& star) {
            if (sky.tileOf(star.raDeg, star.decDeg) != tile.tile) return;
            if (request.region && separationDeg(star.raDeg, star.decDeg, request.region->raDeg,
                                                request.region->decDeg) > request.region->radiusDeg)
                return;
            writer.add(star);
            ++fetched.stars;
        });
        if (!read) throw FetchStopped(describe(read.error()));
    }
    return fetched;
}

}  // namespace sextrix
