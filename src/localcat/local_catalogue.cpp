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

double angularDistanceDeg(double ra1, double dec1, double ra2, double dec2) {
    const double d1 = toRadians(dec1), d2 = toRadians(dec2), dra = toRadians(ra2 - ra1);
    const double s = std::sin((d2 - d1) / 2), t = std::sin(dra / 2);
    return 2 * std::asin(std::min(1.0, std::sqrt(s * s + std::cos(d1) * std::cos(d2) * t * t))) / kRadiansPerDegree;
}

}  // namespace

LocalStar starAtEpoch(const LocalStar& star, double catalogueEpoch, double epochYear) {
    if (!star.pmRaCosDecMasPerYear || !star.pmDecMasPerYear || epochYear == catalogueEpoch) return star;
    const double years = epochYear - catalogueEpoch;
    const double a = toRadians(star.raDeg), d = toRadians(star.decDeg);
    const double east = toRadians(*star.pmRaCosDecMasPerYear * years / 3.6e6);
    const double north = toRadians(*star.pmDecMasPerYear * years / 3.6e6);
    // The unit vector moved by the tangent offset, then normalised.
    const double x = std::cos(d) * std::cos(a) - east * std::sin(a) - north * std::sin(d) * std::cos(a);
    const double y = std::cos(d) * std::sin(a) + east * std::cos(a) - north * std::sin(d) * std::sin(a);
    const double z = std::sin(d) + north * std::cos(d);
    LocalStar moved = star;
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

std::vector<LocalStar> LocalCatalogue::cone(double raDeg, double decDeg, double radiusDeg, double magLimit,
                                            std::optional<double> epochYear, ConeStats* stats) const {
    const auto limitKey = static_cast<std::int32_t>(std::floor(magLimit * 1000 + 0.5));
    // A star's motion may carry it into the cone from a tile beside it.
    const std::vector<std::uint32_t> near = tiles_.tilesNear(raDeg, decDeg, radiusDeg + 1.0 / 60);
    ConeStats counted;
    counted.tiles = near.size();
    std::vector<LocalStar> found;
    std::vector<StarRecord> chunk(kChunkStars);
    for (const std::uint32_t tile : near) {
        std::uint64_t bounds[2];
        readAt(indexOffset() + tile * 8ull, bounds, sizeof bounds);
        counted.bytesRead += sizeof bounds;
        if (bounds[1] < bounds[0] || bounds[1] > header_.stars)
            throw FileError(FileFault::CannotRead, path_, "its index is damaged at tile " + std::to_string(tile));
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
                LocalStar star = unpackStar(chunk[k]);
                if (epochYear) star = starAtEpoch(star, header_.epoch, *epochYear);
                if (angularDistanceDeg(raDeg, decDeg, star.raDeg, star.decDeg) <= radiusDeg) found.push_back(star);
            }
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const LocalStar& a, const LocalStar& b) { return *a.magR < *b.magR; });
    if (stats) *stats = counted;
    return found;
}

}  // namespace sextrix
