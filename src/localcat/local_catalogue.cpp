#include "local_catalogue.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
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
        const double sd = halfSine(decDeg - dec_), sa = halfSine(wrapped(raDeg - ra_));
        return sd * sd + cosDec_ * std::cos(toRadians(decDeg)) * sa * sa <= limit_;
    }

private:
    // An angle of -540..540 degrees into -180..180, without the cost of
    // std::remainder on every star.
    static double wrapped(double angleDeg) {
        return angleDeg > 180 ? angleDeg - 360 : angleDeg < -180 ? angleDeg + 360 : angleDeg;
    }
    // sin(angle / 2); within 10 degrees by its series, exact to 1e-12.
    static double halfSine(double angleDeg) {
        const double x = toRadians(angleDeg) / 2;
        if (std::abs(x) > toRadians(5)) return std::sin(x);
        const double x2 = x * x;
        return x * (1 - x2 / 6 * (1 - x2 / 20 * (1 - x2 / 42)));
    }

    double ra_, dec_, radius_, cosDec_, limit_ = 0, raHalfWidth_ = 180;
};

// The stars found put brightest first, ties in the order found; `keys` are
// their brightness keys, millimagnitudes of the int16 range. A counting
// sort, done in place: a second list as long would cost more in fresh
// pages than the sort itself.
void sortByBrightness(std::vector<LocalStar>& found, const std::vector<std::int32_t>& keys) {
    if (found.empty()) return;
    const auto [lowest, highest] = std::minmax_element(keys.begin(), keys.end());
    const std::int32_t first = *lowest;
    std::vector<std::uint32_t> place(static_cast<std::size_t>(*highest - first) + 2, 0);
    for (const std::int32_t key : keys) ++place[static_cast<std::size_t>(key - first) + 1];
    for (std::size_t k = 1; k < place.size(); ++k) place[k] += place[k - 1];
    std::vector<std::uint32_t> destination(found.size());
    for (std::size_t i = 0; i < found.size(); ++i) destination[i] = place[static_cast<std::size_t>(keys[i] - first)]++;
    // Each cycle of the permutation followed once.
    for (std::uint32_t i = 0; i < found.size(); ++i)
        while (destination[i] != i) {
            const std::uint32_t to = destination[i];
            std::swap(found[i], found[to]);
            std::swap(destination[i], destination[to]);
        }
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
        const double ra = star.raDeg + eastDeg / std::cos(toRadians(star.decDeg));
        moved.raDeg = ra < 0 ? ra + 360 : ra >= 360 ? ra - 360 : ra;
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
    // Each tile's stars down to the limit, found first by halving (a tile
    // is sorted brightest first), so that the list is made once at the size
    // it may reach rather than grown: its growing cost more than the search.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> runs;
    std::uint64_t toRead = 0;
    for (const std::uint32_t tile : near) {
        std::uint64_t bounds[2];
        readAt(indexOffset() + tile * 8ull, bounds, sizeof bounds);
        counted.bytesRead += sizeof bounds;
        if (bounds[1] < bounds[0] || bounds[1] > header_.stars)
            throw FileError(FileFault::CannotRead, path_, "its index is damaged at tile " + std::to_string(tile));
        auto [first, last] = bounds;
        while (first < last) {
            const std::uint64_t middle = first + (last - first) / 2;
            StarRecord record;
            readAt(starsOffset(header_.order) + middle * kStarRecordBytes, record.data(), kStarRecordBytes);
            counted.bytesRead += kStarRecordBytes;
            if (brightnessKey(record) > limitKey)
                last = middle;
            else
                first = middle + 1;
        }
        runs.push_back({bounds[0], first});
        toRead += first - bounds[0];
    }
    std::vector<LocalStar> found;
    std::vector<std::int32_t> keys;
    found.reserve(toRead);
    keys.reserve(toRead);
    std::vector<StarRecord> chunk(kChunkStars);
    for (const auto& [from, to] : runs)
        for (std::uint64_t first = from; first < to; first += kChunkStars) {
            const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(kChunkStars, to - first));
            readAt(starsOffset(header_.order) + first * kStarRecordBytes, chunk.data(), count * kStarRecordBytes);
            counted.bytesRead += count * kStarRecordBytes;
            for (std::size_t k = 0; k < count; ++k) {
                const std::int32_t key = brightnessKey(chunk[k]);
                const auto [ra, dec] = recordPosition(chunk[k]);
                if (key > limitKey || !nearCone.roughlyHolds(ra, dec)) continue;  // fainter: a tile out of order
                LocalStar star = unpackStar(chunk[k]);
                if (epochYear) star = starAtEpoch(star, header_.epoch, *epochYear);
                if (inCone.holds(star.raDeg, star.decDeg)) {
                    found.push_back(star);
                    keys.push_back(key);
                }
            }
        }
    if (stats) *stats = counted;
    sortByBrightness(found, keys);
    return found;
}

}  // namespace sextrix
