#pragma once
// Points of a plane in square cells, for the points within a distance of a
// place. A query over more cells than there are points reads every point
// instead, so a wide search costs no more than a scan.
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "geometry/tan_projection.h"

namespace sextrix {

class PlaneGrid {
public:
    // cell > 0, in the points' unit.
    PlaneGrid(std::span<const PixelPosition> points, double cell);

    // The indices of the points within radius of (x, y), in no set order.
    std::vector<int> within(double x, double y, double radius) const;
    // The index of the nearest point within radius, -1 for none; points
    // whose flag in `skip` is set are passed over.
    int nearest(double x, double y, double radius, const std::vector<bool>& skip = {}) const;

private:
    std::int64_t key(std::int64_t cx, std::int64_t cy) const { return cx * 4194304 + cy; }
    std::vector<PixelPosition> points_;
    double cell_;
    std::unordered_map<std::int64_t, std::vector<int>> cells_;
};

}  // namespace sextrix
