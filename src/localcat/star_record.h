#pragma once
// One star as the local catalogue file stores it: 28 bytes, little-endian.
//
//   offset  type    what
//   0       int64   identifier, packed (local_star.h)
//   8       uint32  right ascension, milliarcseconds, 0 .. 1 295 999 999
//   12      int32   declination, milliarcseconds
//   16      int32   proper motion in RA cos Dec, microarcseconds a year
//   20      int32   proper motion in Dec, microarcseconds a year
//   24      int16   R-like magnitude, millimagnitudes
//   26      int16   B-like magnitude, millimagnitudes
//
// A missing proper motion or magnitude is the type's lowest value.
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

#include "local_star.h"

namespace sextrix {

constexpr std::size_t kStarRecordBytes = 28;
using StarRecord = std::array<std::uint8_t, kStarRecordBytes>;

// Throws std::invalid_argument for a position out of range or not finite,
// and a proper motion or magnitude too large for its field.
StarRecord packStar(const LocalStar& star);
LocalStar unpackStar(const StarRecord& record);

// The position alone, degrees, without the rest of the record.
inline std::pair<double, double> recordPosition(const StarRecord& record) {
    std::uint32_t ra;
    std::int32_t dec;
    std::memcpy(&ra, record.data() + 8, sizeof ra);
    std::memcpy(&dec, record.data() + 12, sizeof dec);
    return {ra / 3.6e6, dec / 3.6e6};
}

// The R-like magnitude in millimagnitudes, the highest value when missing:
// the order of the stars within a tile.
inline std::int32_t brightnessKey(const StarRecord& record) {
    std::int16_t mag;
    std::memcpy(&mag, record.data() + 24, sizeof mag);
    return mag == std::numeric_limits<std::int16_t>::min() ? std::numeric_limits<std::int32_t>::max() : mag;
}

}  // namespace sextrix
