#pragma once
// The local catalogue file, written once by LocalCatalogueWriter and read by
// cone (LocalCatalogue):
//
//   header, 64 bytes, little-endian:
//     0   char[8]  "VSXSTAR1"
//     8   uint32   the tile order k (sky_tiles.h)
//     12  uint32   the source: 0 USNO-A2.0, 1 UCAC4, 2 Gaia DR3, 3 Tycho-2
//     16  double   the epoch of the positions, Julian years
//     24  uint64   the stars
//     32  zero up to 64
//   index: 12 * 4^k + 1 uint64, the stars before each tile, then all of them
//   stars: 28-byte records (star_record.h), tile by tile, each tile
//          brightest first in the R-like magnitude (stars without one last)
//
// A cone reads the header, two index entries per tile it touches and the
// stars of those tiles down to its magnitude limit, never the whole file.
#include <array>
#include <cstdint>
#include <string>

#include "local_star.h"
#include "state/outcome.h"

namespace sextrix {

constexpr char kCatalogueMagic[8] = {'V', 'S', 'X', 'S', 'T', 'A', 'R', '1'};
constexpr std::size_t kCatalogueHeaderBytes = 64;
constexpr int kDefaultTileOrder = 6;  // 49 152 tiles of about 0.9 degree

struct CatalogueHeader {
    int order = kDefaultTileOrder;
    LocalSource source = LocalSource::UsnoA2;
    double epoch = 2000;
    std::uint64_t stars = 0;
};

std::uint64_t tileCountOf(int order);  // 12 * 4^order

std::array<std::uint8_t, kCatalogueHeaderBytes> encodeHeader(const CatalogueHeader& header);
// Refused with why: not a local catalogue, another version, an order or
// source this program does not know.
Outcome<CatalogueHeader> decodeHeader(const std::array<std::uint8_t, kCatalogueHeaderBytes>& bytes);

// Where the index and the stars begin.
std::uint64_t indexOffset();
std::uint64_t starsOffset(int order);

}  // namespace sextrix
