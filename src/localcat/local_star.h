#pragma once
// A star of the local catalogue, as the catalogue it was imported from gives
// it: its position at that catalogue's epoch, its proper motion when the
// catalogue has one, and its magnitudes in the two bands the star answers
// carry (an R-like one and a B-like one).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sextrix {

// The catalogues a local catalogue is made from. Each keeps its own
// identifiers, epoch and bands.
enum class LocalSource { UsnoA2, Ucac4, GaiaDr3, Tycho2 };

struct LocalStar {
    std::int64_t id = 0;           // the catalogue's number, packed (localIdText)
    double raDeg = 0, decDeg = 0;  // ICRS/J2000.0 at the catalogue's epoch
    std::optional<double> pmRaCosDecMasPerYear, pmDecMasPerYear;
    std::optional<double> magR, magB;  // R-like, B-like (see localBands)
};

// The name a local catalogue file states: "USNO-A2.0", "UCAC4", "Gaia DR3",
// "Tycho-2"; and back (nothing for another name).
std::string_view localSourceName(LocalSource source);
std::optional<LocalSource> localSourceNamed(std::string_view name);

// The epoch of the catalogue's positions, in Julian years: J2000.0 for the
// ground catalogues and Tycho-2, J2016.0 for Gaia DR3.
double localEpoch(LocalSource source);

// The catalogue's own designation of a packed identifier, and back:
//   USNO-A2.0  "0825-18346405"        zone * 10^8 + number
//   UCAC4      "123-456789"           zone * 10^6 + number
//   Gaia DR3   "2449768227474519296"  the source_id
//   Tycho-2    "1234-5678-1"          (TYC1 * 10^5 + TYC2) * 10 + TYC3
std::string localIdText(LocalSource source, std::int64_t id);
std::optional<std::int64_t> localIdOf(LocalSource source, std::string_view designation);

}  // namespace sextrix
