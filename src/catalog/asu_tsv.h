#pragma once
// The lines of VizieR's ASU tab-separated answers (viz-bin/asu-tsv), as every
// reader of them sees them: "#" comments (the server's banner, "#Name:",
// "#Column", "#INFO" and error lines), then the column names, their units and
// one run of dashes per column, then the rows, cells separated by tabs, a
// blank line after them, and the closing "#INFO<TAB>matches=<n>" line.
#include <string_view>
#include <vector>

namespace sextrix {

// The cells of a line, split at each tab, blanks kept.
std::vector<std::string_view> tsvCells(std::string_view line);

// A cell of the line under the units: one run of '-'.
bool isDashesCell(std::string_view cell);

// "#INFO" followed by `what` (blanks and tabs between them allowed).
bool isAsuInfo(std::string_view line, std::string_view what);

// A comment of an answer that failed: VizieR writes its errors as "#***..."
// lines, or as "#INFO" lines naming an error.
bool isAsuError(std::string_view line);

// The line VizieR closes every answer with: "#INFO<TAB>matches=<n>...".
bool isAsuClosing(std::string_view line);

// The table a "#Name: I/259/tyc2" comment names, empty for any other line.
std::string_view asuTableName(std::string_view line);

}  // namespace sextrix
