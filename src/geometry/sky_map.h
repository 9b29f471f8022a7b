#pragma once
// The pixel <-> sky mapping that charts and reports go through: the affine
// three-star plate, or once a reduction has been refined, its tangent-plane
// solution. Sky positions are in the plate's scaled units (X = RA degrees *
// corrAsd, Y = Dec degrees * corrDec, J2000.0), so every caller reads and
// writes what it did with the plate alone.
#include <optional>

#include "geometry/plate.h"
#include "state/tan_solution.h"

namespace sextrix {

class SkyMap {
public:
    // The plate alone.
    SkyMap(const Plate& plate) : plate_(plate) {}  // NOLINT: a plate is a mapping
    // The refined solution; right ascensions come back within half a turn of
    // its tangent point, as the catalogue positions are unwrapped.
    SkyMap(const Plate& plate, const TanSolution& refined, double corrAsd, double corrDec)
        : plate_(plate), refined_(refined), corrAsd_(corrAsd), corrDec_(corrDec) {}

    const Plate& plate() const { return plate_; }
    bool refined() const { return refined_.has_value(); }
    // False when sky positions have no pixel at all (a singular plate).
    bool invertible() const;

    ScaledPoint pixelToSky(double x, double y) const;
    // Nothing when the mapping is not invertible or the position has no
    // image (beyond 90 degrees of the tangent point).
    std::optional<ScaledPoint> skyToPixel(double X, double Y) const;

private:
    Plate plate_;
    std::optional<TanSolution> refined_;
    double corrAsd_ = 0;
    double corrDec_ = 0;
};

}  // namespace sextrix
