#pragma once
// Reading a downloaded star file of one catalogue, row by row, so that a file
// of any size takes the same memory:
//   - a VizieR ASU tab-separated answer (viz-bin/asu-tsv) of USNO-A2.0
//     (I/252/out), UCAC4 (I/322A/out), Gaia DR3 (I/355/gaiadr3) or Tycho-2
//     (I/259/tyc2), positions in decimal degrees;
//   - a CSV file of the Gaia archive (its "#" ECSV header lines allowed);
//   - a FITS table, binary or ASCII (the first table of the file), with the
//     Gaia archive's column names or VizieR's.
// Text files may be gzip-compressed (the Gaia archive's bulk .csv.gz).
//
// The catalogue is recognised from the column names (and, in a VizieR
// answer, from its "#Name:" comment), each row becoming a LocalStar:
//
//   catalogue  identifier          position (localEpoch)  pm           R-like       B-like
//   USNO-A2.0  USNO-A2.0           RAJ2000, DEJ2000       -            Rmag         Bmag
//   UCAC4      UCAC4               RAJ2000, DEJ2000       pmRA, pmDE   rmag, else   Bmag
//                                  (or RA_ICRS, DE_ICRS)               f.mag
//   Tycho-2    TYC1, TYC2, TYC3    RAmdeg, DEmdeg (the    pmRA, pmDE   VTmag        BTmag
//              (or TYC "1-2-3")    mean position; or
//                                  mRAdeg, mDEdeg)
//   Gaia DR3   VizieR: Source      RA_ICRS, DE_ICRS       pmRA, pmDE   RPmag        BPmag
//              archive: source_id  ra, dec                pmra, pmdec  phot_rp_     phot_bp_
//                                                                      mean_mag     mean_mag
//
// The ground catalogues and Tycho-2 may give VizieR's computed
// _RAJ2000/_DEJ2000 instead, as their positions are of epoch J2000.0; Gaia
// DR3's computed ones are moved to J2000 and are refused. The identifier,
// the position and the R-like magnitude columns are needed, the others taken
// when present. G is not used for Gaia: a star without RP has no R-like
// magnitude, as in the star answers.
#include <cstdint>
#include <functional>
#include <string>

#include "local_star.h"
#include "state/read_result.h"

namespace sextrix {

struct ImportedFile {
    LocalSource source = LocalSource::UsnoA2;
    std::uint64_t stars = 0;    // handed to `take`
    std::uint64_t skipped = 0;  // rows without a position (Tycho-2 stars without a mean position)
};

// Hands each star of the file to `take`, in the file's order, and `progress`
// the fraction of the file read (0 to 1) now and then. An error names the
// file, the line (a FITS table's row as its record) and what is wrong: not
// found or unreadable, empty, an HTML page or a VOTable, columns of no
// catalogue known, sexagesimal positions, a row with another number of cells,
// an identifier not of the catalogue's form, a position that is not a number
// or out of range, a proper motion or magnitude neither blank nor a number,
// a VizieR answer without its closing line or a file cut inside a line, a
// second table; or a FITS file without a table. Stars already taken stay
// taken: the caller drops what it wrote on an error.
Result<ImportedFile> importStars(const std::string& path, const std::function<void(const LocalStar&)>& take,
                                 const std::function<void(double fraction)>& progress = {});

}  // namespace sextrix
