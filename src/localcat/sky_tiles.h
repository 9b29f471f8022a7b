#pragma once
// The sky cut into HEALPix tiles of equal area, numbered in the nested
// scheme: at order k there are 12 * 4^k tiles, each about 58.6 / 2^k degrees
// across, and the tiles of one order-(k-1) tile follow each other, so that
// tiles near on the sky are mostly near in the file.
#include <cstdint>
#include <memory>
#include <vector>

namespace sextrix {

// A tile's centre (J2000.0 degrees) and the radius of the circle around it
// that holds the whole tile (the same for every tile of an order).
struct TileCircle {
    double raDeg = 0, decDeg = 0, radiusDeg = 0;
};

class SkyTiles {
public:
    explicit SkyTiles(int order);  // 0..13; throws std::invalid_argument beyond
    ~SkyTiles();
    SkyTiles(SkyTiles&&) noexcept;

    int order() const { return order_; }
    std::uint32_t count() const;

    // The tile holding a direction (J2000.0 degrees).
    std::uint32_t tileOf(double raDeg, double decDeg) const;

    TileCircle circleOf(std::uint32_t tile) const;

    // Every tile that overlaps the cone, in increasing order (and a few that
    // only come near it).
    std::vector<std::uint32_t> tilesNear(double raDeg, double decDeg, double radiusDeg) const;

private:
    int order_;
    struct Base;
    std::unique_ptr<Base> base_;
};

}  // namespace sextrix
