// A VizieR asu-tsv answer, from its line of column names on.
#include <algorithm>

#include "catalog/asu_tsv.h"
#include "catalog/service_text.h"
#include "import_readers.h"

namespace sextrix {
namespace {

bool isSexagesimalUnit(std::string_view unit) {
    return unit.find("h:m:s") != std::string_view::npos || unit.find("d:m:s") != std::string_view::npos;
}

}  // namespace

Result<ImportedFile> importVizierTsv(LineSource& lines, const TextStart& start, const TakeStar& take) {
    std::vector<std::string> names;
    for (const std::string_view cell : tsvCells(start.header)) names.emplace_back(trimmed(cell));
    const auto named = vizierTableSource(start.tableName);
    const auto layout = starLayout(names, named);
    if (!layout) {
        const bool other = !start.tableName.empty() && !named;
        return lines.fault(start.headerLine, (other ? "VizieR's table " + start.tableName +
                                                          ", not one of I/252/out, I/322A/out, "
                                                          "I/355/gaiadr3, I/259/tyc2: "
                                                    : std::string()) +
                                                 layout.reason());
    }

    // The units, then one run of dashes per column.
    std::string_view line;
    if (!lines.next(line)) return lines.error() ? *lines.error() : lines.fault(0, "nothing after the column names");
    const std::vector<std::string_view> units = tsvCells(line);
    for (const std::size_t column : {layout->ra, layout->dec})
        if (column < units.size() && isSexagesimalUnit(units[column]))
            return lines.fault(lines.lineNumber(), "positions in sexagesimal (" + std::string(trimmed(units[column])) +
                                                       "): ask VizieR for decimal degrees (-oc.form=dec)");
    if (!lines.next(line)) return lines.error() ? *lines.error() : lines.fault(0, "nothing after the units line");
    const std::vector<std::string_view> dashes = tsvCells(line);
    if (dashes.size() != names.size() || !std::all_of(dashes.begin(), dashes.end(), isDashesCell))
        return lines.fault(lines.lineNumber(), "not a line of dashes under the column names and units");

    ImportedFile file{.source = layout->source};
    StarValues values;
    bool closed = false, inRows = true;
    while (lines.next(line)) {
        const bool blank = trimmed(line).empty();
        if (inRows && !blank && line.front() != '#') {
            const std::vector<std::string_view> cells = tsvCells(line);
            if (cells.size() != names.size())
                return lines.fault(lines.lineNumber(), std::to_string(cells.size()) + " cells where there are " +
                                                           std::to_string(names.size()) + " columns");
            auto fault = readCells(*layout, cells, values);
            if (!fault) fault = takeRow(*layout, values, take, file);
            if (fault) return lines.fault(lines.lineNumber(), std::move(*fault));
            continue;
        }
        // The rows end at a blank line or a comment; comments only may follow.
        inRows = false;
        if (blank) continue;
        if (line.front() != '#')
            return lines.fault(lines.lineNumber(),
                               "a second table begins here: ask VizieR for one table (-source=" +
                                   (start.tableName.empty() ? std::string("I/259/tyc2") : start.tableName) + ")");
        closed = isAsuClosing(line);
    }
    if (lines.error()) return *lines.error();
    if (!closed)
        return lines.fault(lines.lineNumber(),
                           "the answer ends without VizieR's closing line \"#INFO matches=...\": cut short");
    return file;
}

}  // namespace sextrix
