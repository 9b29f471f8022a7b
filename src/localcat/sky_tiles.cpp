#include "sky_tiles.h"

#include <healpix_base.h>

#include <stdexcept>

#include "state/angle_units.h"

namespace sextrix {

struct SkyTiles::Base {
    T_Healpix_Base<int> healpix;
};

namespace {

pointing pointingOf(double raDeg, double decDeg) { return {toRadians(90 - decDeg), toRadians(raDeg)}; }

}  // namespace

SkyTiles::SkyTiles(int order) : order_(order) {
    if (order < 0 || order > 13) throw std::invalid_argument("a tile order lies between 0 and 13");
    base_ = std::make_unique<Base>(Base{T_Healpix_Base<int>(order, NEST)});
}

SkyTiles::~SkyTiles() = default;
SkyTiles::SkyTiles(SkyTiles&&) noexcept = default;

std::uint32_t SkyTiles::count() const { return static_cast<std::uint32_t>(base_->healpix.Npix()); }

std::uint32_t SkyTiles::tileOf(double raDeg, double decDeg) const {
    return static_cast<std::uint32_t>(base_->healpix.ang2pix(pointingOf(raDeg, decDeg)));
}

TileCircle SkyTiles::circleOf(std::uint32_t tile) const {
    const pointing centre = base_->healpix.pix2ang(static_cast<int>(tile));
    return {toDegrees(centre.phi), 90 - toDegrees(centre.theta), toDegrees(base_->healpix.max_pixrad())};
}

std::vector<std::uint32_t> SkyTiles::tilesNear(double raDeg, double decDeg, double radiusDeg) const {
    const rangeset<int> ranges =
        base_->healpix.query_disc_inclusive(pointingOf(raDeg, decDeg), toRadians(radiusDeg), 4);
    std::vector<std::uint32_t> tiles;
    for (tsize r = 0; r < ranges.nranges(); ++r)
        for (int t = ranges.ivbegin(r); t < ranges.ivend(r); ++t) tiles.push_back(static_cast<std::uint32_t>(t));
    return tiles;
}

}  // namespace sextrix
