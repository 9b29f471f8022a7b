// A comma-separated table: the Gaia archive's CSV (and ECSV, whose "#"
// header lines come before the column names).
#include "catalog/service_text.h"
#include "import_readers.h"

namespace sextrix {
namespace {

// The cells of a line, a quoted cell without its quotes (no cell that is
// read holds a quote itself); false for a quote left open.
bool csvCells(std::string_view line, std::vector<std::string_view>& cells) {
    cells.clear();
    std::size_t at = 0;
    for (;;) {
        std::size_t end;
        if (at < line.size() && line[at] == '"') {
            std::size_t close = at + 1;
            while ((close = line.find('"', close)) != std::string_view::npos && close + 1 < line.size() &&
                   line[close + 1] == '"')
                close += 2;
            if (close == std::string_view::npos) return false;
            cells.push_back(line.substr(at + 1, close - at - 1));
            end = line.find(',', close);
        } else {
            end = line.find(',', at);
            cells.push_back(line.substr(at, end == std::string_view::npos ? end : end - at));
        }
        if (end == std::string_view::npos) return true;
        at = end + 1;
    }
}

}  // namespace

Result<ImportedFile> importCsv(LineSource& lines, const TextStart& start, const TakeStar& take) {
    std::vector<std::string_view> cells;
    if (!csvCells(start.header, cells)) return lines.fault(start.headerLine, "a quote left open");
    std::vector<std::string> names;
    for (const std::string_view cell : cells) names.emplace_back(trimmed(cell));
    const auto layout = starLayout(names, std::nullopt);
    if (!layout) return lines.fault(start.headerLine, layout.reason());

    ImportedFile file{.source = layout->source};
    StarValues values;
    std::string_view line;
    while (lines.next(line)) {
        if (trimmed(line).empty()) continue;
        const std::size_t at = lines.lineNumber();
        if (!lines.lineEnded())
            return lines.fault(at, "the file ends inside this line, without its line end: cut short");
        if (!csvCells(line, cells)) return lines.fault(at, "a quote left open");
        if (cells.size() != names.size())
            return lines.fault(at, std::to_string(cells.size()) + " cells where there are " +
                                       std::to_string(names.size()) + " columns");
        auto fault = readCells(*layout, cells, values);
        if (!fault) fault = takeRow(*layout, values, take, file);
        if (fault) return lines.fault(at, std::move(*fault));
    }
    if (lines.error()) return *lines.error();
    return file;
}

}  // namespace sextrix
