#include "local_catalogue.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <queue>
#include <utility>

#include "star_record.h"
#include "state/angle_units.h"
#include "state/errors.h"

namespace sextrix {
namespace {

constexpr std::size_t kChunkStars = 256;  // read at a time within a tile

// Whether directions lie within a radius of a centre: first roughly, by a
// box in declination and right ascension that holds the cone, then exactly,
// by the haversine of the distance against that of the radius.
class ConeTest {
public:
    ConeTest(double raDeg, double decDeg, double radiusDeg)
        : ra_(raDeg), dec_(decDeg), radius_(radiusDeg), cosDec_(std::cos(toRadians(decDeg))) {
        const double s = std::sin(toRadians(std::min(radiusDeg, 180.0)) / 2);
        limit_ = s * s;
        // Beyond the pole the box is every right ascension.
        const double farthest = std::abs(decDeg) + radiusDeg;
        raHalfWidth_ = farthest >= 89.999 ? 180 : radiusDeg / std::cos(toRadians(farthest));
    }
    bool roughlyHolds(double raDeg, double decDeg) const {
        if (std::abs(decDeg - dec_) > radius_) return false;
        double dra = std::abs(raDeg - ra_);
        if (dra > 180) dra = 360 - dra;
        return dra <= raHalfWidth_;
    }
    bool holds(double raDeg, double decDeg) const {
        const double sd = halfSine(decDeg - dec_), sa = halfSine(std::remainder(raDeg - ra_, 360.0));
        return sd * sd + cosDec_ * std::cos(toRadians(decDeg)) * sa * sa <= limit_;
    }

private:
    // sin(angle / 2); within 10 degrees by its series, exact to 1e-12.
    static double halfSine(double angleDeg) {
        const double x = toRadians(angleDeg) / 2;
        if (std::abs(x) > toRadians(5)) return std::sin(x);
        const double x2 = x * x;
        return x * (1 - x2 / 6 * (1 - x2 / 20 * (1 - x2 / 42)));
    }

    double ra_, dec_, radius_, cosDec_, limit_ = 0, raHalfWidth_ = 180;
};

// The stars found, tile after tile (each tile's brightest first, tiles
// starting at `starts`), in one list brightest first.
std::vector<LocalStar> mergedByBrightness(const std::vector<LocalStar>& found, std::vector<std::size_t> starts) {
    const std::size_t tiles = starts.size();
    starts.push_back(found.size());
    std::vector<std::size_t> at(starts.begin(), starts.end() - 1);
    const auto fainter = [&](std::size_t a, std::size_t b) {
        const double ma = *found[at[a]].magR, mb = *found[at[b]].magR;
        return ma > mb || (ma == mb && a > b);
    };
    std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(fainter)> next(fainter);
    for (std::size_t t = 0; t < tiles; ++t)
        if (at[t] < starts[t + 1]) next.push(t);
    std::vector<LocalStar> merged;
    merged.reserve(found.size());
    while (!next.empty()) {
        const std::size_t t = next.top();
        next.pop();
        merged.push_back(found[at[t]++]);
        if (at[t] < starts[t + 1]) next.push(t);
    }
    return merged;
}

}  // namespace

LocalStar starAtEpoch(const LocalStar& star, double catalogueEpoch, double epochYear) {
    if (!star.pmRaCosDecMasPerYear || !star.pmDecMasPerYear || epochYear == catalogueEpoch) return star;
    const double years = epochYear - catalogueEpoch;
    const double eastDeg = *star.pmRaCosDecMasPerYear * years / 3.6e6, northDeg = *star.pmDecMasPerYear * years / 3.6e6;
    LocalStar moved = star;
    // Away from the poles a step on the tangent plane adds to RA and Dec as
    // they are, to within (step)^2 tan(dec) / 2: under half a milliarcsecond
    // for 10" below 60 degrees.
    if (std::abs(star.decDeg) < 60 && std::abs(eastDeg) + std::abs(northDeg) < 10.0 / 3600) {
        moved.raDeg = std::fmod(star.raDeg + eastDeg / std::cos(toRadians(star.decDeg)) + 360, 360);
        moved.decDeg = star.decDeg + northDeg;
        return moved;
    }
    // Else along the great circle: the unit vector moved by the tangent
    // offset, then normalised.
    const double a = toRadians(star.raDeg), d = toRadians(star.decDeg);
    const double east = toRadians(eastDeg), north = toRadians(northDeg);
    const double x = std::cos(d) * std::cos(a) - east * std::sin(a) - north * std::sin(d) * std::cos(a);
    const double y = std::cos(d) * std::sin(a) + east * std::cos(a) - north * std::sin(d) * std::sin(a);
    const double z = std::sin(d) + north * std::cos(d);
    moved.raDeg = std::fmod(std::atan2(y, x) / kRadiansPerDegree + 360, 360);
    moved.decDeg = std::atan2(z, std::hypot(x, y)) / kRadiansPerDegree;
    return moved;
}

LocalCatalogue::LocalCatalogue(std::string path, int fd, CatalogueHeader header, std::uint64_t bytes)
    : path_(std::move(path)), fd_(fd), header_(header), bytes_(bytes), tiles_(header.order) {}

LocalCatalogue::LocalCatalogue(LocalCatalogue&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)), header_(other.header_), bytes_(other.bytes_),
      tiles_(std::move(other.tiles_)) {}

LocalCatalogue::~LocalCatalogue() {
    if (fd_ >= 0) ::close(fd_);
}

Result<LocalCatalogue> LocalCatalogue::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return ReadError{path, 0, std::strerror(errno), errno == ENOENT ? FileFault::NotFound : FileFault::CannotRead};
    struct stat info {};
    std::array<std::uint8_t, kCatalogueHeaderBytes> bytes{};
    const bool read = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                      ::pread(fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
    const auto refuse = [&](std::string why) -> Result<LocalCatalogue> {
        ::close(fd);
        return ReadError{path, 0, std::move(why)};
    };
    if (!read) return refuse("shorter than a local catalogue's header, or not a file");
    const Outcome<CatalogueHeader> header = decodeHeader(bytes);
    if (!header) return refuse(header.reason());
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size != starsOffset(header->order) + header->stars * kStarRecordBytes)
        return refuse("cut short or padded: " + std::to_string(size) + " bytes where its header gives " +
                      std::to_string(starsOffset(header->order) + header->stars * kStarRecordBytes));
    return LocalCatalogue(path, fd, *header, size);
}

void LocalCatalogue::readAt(std::uint64_t offset, void* into, std::size_t size) const {
    auto* at = static_cast<char*>(into);
    while (size > 0) {
        const ssize_t got = ::pread(fd_, at, size, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) throw FileError(FileFault::CannotRead, path_, got < 0 ? std::strerror(errno) : "cut short");
        at += got, offset += static_cast<std::uint64_t>(got), size -= static_cast<std::size_t>(got);
    }
}

void LocalCatalogue::forEachStar(const std::function<void(const LocalStar&)>& take) const {
    constexpr std::uint64_t kBlockStars = 1 << 15;
    std::vector<StarRecord> block(kBlockStars);
    for (std::uint64_t first = 0; first < header_.stars; first += kBlockStars) {
        const auto count = static_cast<std::size_t>(std::min(kBlockStars, header_.stars - first));
        readAt(starsOffset(header_.order) + first * kStarRecordBytes, block.data(), count * kStarRecordBytes);
        for (std::size_t k = 0; k < count; ++k) take(unpackStar(block[k]));
    }
}

std::vector<LocalStar> LocalCatalogue::cone(double raDeg, double decDeg, double radiusDeg, double magLimit,
                                            std::optional<double> epochYear, ConeStats* stats) const {
    const auto limitKey = static_cast<std::int32_t>(std::floor(magLimit * 1000 + 0.5));
    // A star's motion may carry it into the cone from beside it: the tiles
    // and the first, rough test reach this far beyond the cone.
    const double margin = 1.0 / 60;
    const std::vector<std::uint32_t> near = tiles_.tilesNear(raDeg, decDeg, radiusDeg + margin);
    const ConeTest inCone(raDeg, decDeg, radiusDeg), nearCone(raDeg, decDeg, radiusDeg + margin);
    ConeStats counted;
    counted.tiles = near.size();
    // Each tile's stars come brightest first; the tiles are merged after.
    std::vector<LocalStar> found;
    std::vector<std::size_t> starts;
    std::vector<StarRecord> chunk(kChunkStars);
    for (const std::uint32_t tile : near) {
        std::uint64_t bounds[2];
        readAt(indexOffset() + tile * 8ull, bounds, sizeof bounds);
        counted.bytesRead += sizeof bounds;
        if (bounds[1] < bounds[0] || bounds[1] > header_.stars)
            throw FileError(FileFault::CannotRead, path_, "its index is damaged at tile " + std::to_string(tile));
        starts.push_back(found.size());
        bool fainter = false;
        for (std::uint64_t first = bounds[0]; first < bounds[1] && !fainter; first += kChunkStars) {
            const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(kChunkStars, bounds[1] - first));
            readAt(starsOffset(header_.order) + first * kStarRecordBytes, chunk.data(), count * kStarRecordBytes);
            counted.bytesRead += count * kStarRecordBytes;
            for (std::size_t k = 0; k < count; ++k) {
                if (brightnessKey(chunk[k]) > limitKey) {
                    fainter = true;
                    break;
                }
                const auto [ra, dec] = recordPosition(chunk[k]);
                if (!nearCone.roughlyHolds(ra, dec)) continue;
                LocalStar star = unpackStar(chunk[k]);
                if (epochYear) star = starAtEpoch(star, header_.epoch, *epochYear);
                if (inCone.holds(star.raDeg, star.decDeg)) found.push_back(star);
            }
        }
    }
    if (stats) *stats = counted;
    return mergedByBrightness(found, std::move(starts));
}

}  // namespace sextrix
