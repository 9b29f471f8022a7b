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

#include "local_star.h"

namespace sextrix {

constexpr std::size_t kStarRecordBytes = 28;
using StarRecord = std::array<std::uint8_t, kStarRecordBytes>;

// Throws std::invalid_argument for a position out of range or not finite,
// and a proper motion or magnitude too large for its field.
StarRecord packStar(const LocalStar& star);
LocalStar unpackStar(const StarRecord& record);

// The R-like magnitude in millimagnitudes, the highest value when missing:
// the order of the stars within a tile.
std::int32_t brightnessKey(const StarRecord& record);

}  // namespace sextrix
