#pragma once
// The readers behind importStars, one a format. Each hands the stars of its
// file to `take` and counts them.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "line_source.h"
#include "star_import.h"
#include "star_layout.h"

namespace sextrix {

using TakeStar = std::function<void(const LocalStar&)>;

// What comes before a text table's column names: "#" comments (VizieR's,
// or the YAML of an ECSV header) and blank lines.
struct TextStart {
    std::string header;          // the line of column names
    std::size_t headerLine = 0;  // its number
    std::string tableName;       // VizieR's "#Name:" of the table, if any
};

// A VizieR asu-tsv answer, read on from its line of column names: the units
// and dashes lines, the rows, and its end (LineSource at the units line).
Result<ImportedFile> importVizierTsv(LineSource& lines, const TextStart& start, const TakeStar& take);

// A comma-separated table (the Gaia archive's CSV), read on from its line of
// column names.
Result<ImportedFile> importCsv(LineSource& lines, const TextStart& start, const TakeStar& take);

// The first table of a FITS file, in chunks of rows.
Result<ImportedFile> importFitsTable(const std::string& path, const TakeStar& take,
                                     const std::function<void(double)>& progress);

// Counts a row's star: taken, passed over (no position), or the row's fault.
std::optional<std::string> takeRow(const StarLayout& layout, const StarValues& values, const TakeStar& take,
                                   ImportedFile& file);

}  // namespace sextrix
