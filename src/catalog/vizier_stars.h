#pragma once
// The star list from VizieR (CDS), converted on arrival into the layout of the
// star answer (data.txt) that parseStarList reads, so the reader, the charts
// and the identification stay as they are.
//
// Query: ASU tab-separated output (viz-bin/asu-tsv) of one catalogue around a
// J2000.0 centre, brightest red magnitude first, at most 5000 rows, red
// magnitude brighter than the faint limit. Positions are VizieR's computed
// _RAJ2000/_DEJ2000 in decimal degrees: FK5 J2000.0 for the two ground
// catalogues, and for Gaia DR3 the ICRS positions of epoch 2016.0 brought
// back to epoch J2000.0 with the proper motions.
//
// Columns asked of each catalogue and where they go:
//
//   catalogue   source          identifier   R-like (MagR)        B-like (MagB)
//   USNO-A2.0   I/252/out       USNO-A2.0    Rmag                 Bmag
//   UCAC4       I/322A/out      UCAC4        rmag (APASS r'),     Bmag (APASS B)
//                                            else f.mag (UCAC
//                                            579-642 nm fit)
//   Gaia DR3    I/355/gaiadr3   Source       RPmag                BPmag
//
// The faint limit and the sort of the query are on Rmag, f.mag (UCAC4: rmag
// is missing for many stars, and a constraint on it would drop them) and
// RPmag; the answer is then sorted again on the R-like magnitude written.
//
// Identifiers: the reader takes a record only when its 14-character
// identifier starts with "U", so each catalogue's designation is mapped
// into 14 characters beginning with "U", one to one:
//   USNO-A2.0 0825-18346405   -> "U0825-18346405"  ("U" + the designation)
//   UCAC4 123-456789          -> "UC4 123-456789"
//   Gaia DR3 2449768227474519296
//                             -> "U" + the 64-bit source_id in 13 base-36
//                                digits (0-9, A-Z): "U0IM1ECZ9L2VI8"
#include <optional>
#include <string>
#include <string_view>

#include "state/read_result.h"

namespace sextrix {

enum class VizierCatalogue { UsnoA2, Ucac4, GaiaDr3 };

// Centre J2000.0 in degrees, radius in arcminutes, faint magnitude limit.
struct StarCone {
    double raDeg;
    double decDeg;
    double radiusArcmin;
    double magFaint;
};

constexpr int kVizierMaxRows = 5000;

// The VizieR table name, e.g. "I/252/out".
std::string_view vizierSource(VizierCatalogue catalogue);

// The query address on a VizieR server (address: "vizier.cds.unistra.fr",
// optionally with a scheme and port, https by default; or the whole page, see
// serviceUrl), e.g.
// https://vizier.cds.unistra.fr/viz-bin/asu-tsv?-source=I/252/out
//   &-c=23.707917%20%2B22.183611&-c.eq=J2000&-c.rm=20&-out.add=_RAJ,_DEJ
//   &-oc.form=dec&-out=USNO-A2.0,Rmag,Bmag&-sort=Rmag&-out.max=5000&Rmag=%3C13
std::string vizierStarUrl(const std::string& address, VizierCatalogue catalogue, const StarCone& cone);

// The query of every star of a cone for the local catalogue (localcat/'s
// fetch): the catalogue's own columns, those its import reads, positions in
// decimal degrees, the same faint limit, at most maxRows rows and no sort:
//
//   USNO-A2.0  USNO-A2.0, RAJ2000, DEJ2000, Bmag, Rmag
//   UCAC4      UCAC4, RAJ2000, DEJ2000, pmRA, pmDE, f.mag, rmag, Bmag
//   Gaia DR3   Source, RA_ICRS, DE_ICRS, pmRA, pmDE, BPmag, RPmag
//
// e.g. https://vizier.cds.unistra.fr/viz-bin/asu-tsv?-source=I/355/gaiadr3
//   &-c=132.890625%20%2B11.848051&-c.eq=J2000&-c.rm=7.862&-oc.form=dec
//   &-out=Source,RA_ICRS,DE_ICRS,pmRA,pmDE,BPmag,RPmag&-out.max=100000&RPmag=%3C16
std::string vizierCatalogueUrl(const std::string& address, VizierCatalogue catalogue, const StarCone& cone,
                               int maxRows);

// The bytes of a star answer (LF-only page, "</b>" closing the heading right
// before record 1, then 66-character records) for a VizieR asu-tsv answer of
// this catalogue: brightest R-like magnitude first (stars without one last),
// at most 5000 records, RA %9.5f and Dec %+9.5f degrees (the five decimals
// the reader's 9 columns hold), magnitudes %4.1f (blank when missing).
//
// An error (naming kVizierAnswer and the line) when the body is not a whole
// ASU tab-separated answer: not ended
// (vizierAnswerEnded), a first line that is neither blank nor "#" with no
// identifier, position and magnitude columns (an HTML error page, a column
// missing), no units and dashes lines under the header, a row with another
// number of cells, a position that is not a number or out of range, a
// magnitude that is neither blank nor a number, an empty identifier; or only
// comments with an error among them ("#***..." or an "#INFO" line naming an
// error). A table of zero rows, or a field with no match (the comment block
// and no header at all), gives a valid answer of no record.
Result<std::string> starAnswerFromVizier(std::string_view tsv, VizierCatalogue catalogue);

// The name an error of starAnswerFromVizier gives the body.
inline constexpr std::string_view kVizierAnswer = "VizieR answer";

// Whether the answer's end arrived: VizieR closes every answer with the line
// "#INFO<TAB>matches=<n><TAB>matching records", blank lines aside.
bool vizierAnswerEnded(std::string_view tsv);

}  // namespace sextrix
