#pragma once
// The language entries of the precise positions: the refinement's status
// lines, the residual table and vectors, the WCS export, the automatic
// identification. They came with a
// later version of the language files; an older file gets the English below.
#include <string>
#include <vector>

#include "state/language_tables.h"

namespace sextrix {

enum class PrecisionText {
    Refined,        // status: "%1 stars used, %2 rejected, RMS %3"
    Distortion,     // appended: ", SIP distortion of order %1"
    TooFew,         // status: "%1 stars matched, %2 needed"
    MenuExportWcs,  // menu Fichier
    MenuResiduals,  // top menu
    MenuTable,      // its items
    MenuVectors,
    TableCaption,
    ColumnStar,
    ColumnUsed,
    ColumnRaResidual,   // O-C along RA, arcseconds
    ColumnDecResidual,  // O-C along Dec
    Used,
    Rejected,
    NoRefinement,    // nothing to show or export yet
    WcsWritten,      // followed by the file's path
    WcsNotWritten,   // followed by the file's path and the reason
    VectorScale,     // status: "Residual vectors: x%1, the bar is %2"
    AutoSolve,       // button and menu
    AutoNoSolution,  // status, %1 the reason
    AutoCandidate,   // status: "%1 of %2 check stars where predicted, ... 1e%3"
    WcsFilter,       // file type of the WCS save dialog
    WcsReplace,      // question: "%1 already exists. Replace it?"
};

// The entry's text, or its English when the language file lacks it; %1, %2
// in it are replaced by the values in order.
std::string precisionText(const LanguageTables& lang, PrecisionText text, const std::vector<std::string>& values = {});

}  // namespace sextrix
