#pragma once
// The sky area a star answer was fetched for, kept in a small file beside it
// (data.txt -> data.area). A download that fails keeps the previous answer,
// which may be another field's; with its area at hand the steps that read the
// answer can tell when the typed centre has left it.
//
// The file, written after the answer it describes:
//
//     # The area of the star answer beside this file
//     ra=132.825          centre, J2000.0 degrees
//     dec=11.8
//     radius=20           arcminutes
//     mag=13              faintest magnitude
//     service=vizier:vizier.cds.unistra.fr
//     answer=270412 9c2e0f8a51b3d7e4    size and FNV-1a hash of the answer
//
// The size and hash tie the area to the answer's bytes: an answer replaced by
// hand, or whose area could not be written after it, has no area, never
// another list's.
#include <optional>
#include <string>
#include <string_view>

#include "state/read_result.h"

namespace sextrix {

struct CatalogueArea {
    double raDeg = 0;  // centre, J2000.0
    double decDeg = 0;
    double radiusArcmin = 0;
    double magLimit = 0;
    std::string service;  // protocol:address, as hosts.cfg names it
};

// The answer's path with the extension .area.
std::string catalogueAreaPath(const std::string& answerPath);

std::string formatCatalogueArea(const CatalogueArea& area, std::string_view answer);
// The area of `file`'s text; nothing when the text describes other bytes than
// answer (it is no area of this answer, whatever else it holds). Fails,
// naming the line, on a line that is not key=value or a value that is not a
// number or out of range; naming the file alone when a line is missing.
Result<std::optional<CatalogueArea>> readCatalogueArea(std::string_view text, const std::string& file,
                                                       std::string_view answer);

// The area beside the answer file holding these bytes; nothing when there is
// none or it belongs to another answer; an error when it cannot be read.
Result<std::optional<CatalogueArea>> areaBeside(const std::string& answerPath, std::string_view answer);

// Great-circle distance between two positions, degrees.
double angularSeparationDeg(double ra1, double dec1, double ra2, double dec2);

// Half the image's diagonal on the sky; 0 when the size or scale is unknown.
double halfDiagonalDeg(int width, int height, double pixelsPerDegree);

// Whether an image centred on (raDeg, decDeg) has left the area. An answer
// covers an image whose disc (radius halfDiagonal) lies inside the area, so
// the centre may move by radius - halfDiagonal before a corner leaves it.
// When the image is as large as the area or larger, its corners are never
// all covered, and the answer still serves while the centre stays near the
// one it was fetched for: within a tenth of the radius, which also absorbs a
// centre typed again a few seconds apart. Without a known image size, this is
// the centre leaving the area.
bool centreOutsideArea(const CatalogueArea& area, double raDeg, double decDeg, double halfDiagonal);

// "8h51'18'' 11°48'0''": a position as the status list shows it.
std::string positionText(double raDeg, double decDeg);

}  // namespace sextrix
