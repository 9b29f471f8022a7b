#pragma once
// Where a star table of one catalogue keeps what a LocalStar holds: the
// column of each value, found by its name, and the turning of a row's values
// into a star. Shared by the text and FITS readers of star_import.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "local_star.h"
#include "state/outcome.h"

namespace sextrix {

// One row's values: the identifier's text, and the numbers, missing when
// the cell is blank (or null).
struct StarValues {
    std::string id;
    std::optional<double> ra, dec, pmRa, pmDec, magR, magRElse, magB;
};

// A column that holds numbers, the value of StarValues it fills, and what
// it is, for messages.
struct NumberColumn {
    std::size_t column;
    std::optional<double> StarValues::*value;
    const char* what;
};

struct StarLayout {
    LocalSource source = LocalSource::UsnoA2;
    std::vector<std::size_t> id;  // the identifier, its parts joined by '-' (TYC1-TYC2-TYC3)
    std::size_t ra = 0, dec = 0;
    std::optional<std::size_t> pmRa, pmDec, magR, magRElse, magB;
    // The columns of the position, proper motion and magnitudes present.
    std::vector<NumberColumn> numberColumns() const;
};

// The layout of a table with these column names. `named` is the catalogue a
// VizieR "#Name:" comment gives, when it names one of the four: then only
// that catalogue's columns are looked for. Refused with the reason (the
// columns missing, or none known) otherwise.
Outcome<StarLayout> starLayout(const std::vector<std::string>& names, std::optional<LocalSource> named);

// The catalogue of a VizieR table name ("I/259/tyc2"), if one of the four.
std::optional<LocalSource> vizierTableSource(std::string_view table);

// Text cells into values; the reason when a numeric cell is neither blank
// ("null", "NaN" count as blank) nor a number.
std::optional<std::string> readCells(const StarLayout& layout, const std::vector<std::string_view>& cells,
                                     StarValues& values);

// The star of a row, or why the row is wrong. Neither for a row without a
// position, which is passed over.
struct RowStar {
    std::optional<LocalStar> star;
    std::string fault;
};
RowStar starOfRow(const StarLayout& layout, const StarValues& values);

}  // namespace sextrix
