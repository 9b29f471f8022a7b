#include "star_import.h"

#include <algorithm>

#include "catalog/asu_tsv.h"
#include "catalog/service_text.h"
#include "import_readers.h"

namespace sextrix {
namespace {

constexpr std::string_view kFitsStart = "SIMPLE  =";
constexpr std::size_t kPageLines = 64;  // of an HTML page, for what it says

// Bytes no text table holds: NUL and the control characters other than
// tab, CR and LF.
bool isBinary(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 && c != '\t' && c != '\r' && c != '\n';
    });
}

bool isComment(std::string_view line) { return !line.empty() && line.front() == '#'; }

// A page of markup instead of a table: what it says, from its first lines.
ReadError markupRefusal(LineSource& lines, std::string_view first) {
    const std::size_t at = lines.lineNumber();
    std::string page(first);
    std::string_view line;
    for (std::size_t n = 0; n < kPageLines && lines.next(line); ++n) {
        page += '\n';
        page += line;
    }
    if (page.find("VOTABLE") != std::string::npos)
        return lines.fault(at, "a VOTable, not a table of text lines: ask for tab-separated values or FITS");
    const std::string said = serviceMessage(page);
    return lines.fault(at, "an HTML page, not a star table" + (said.empty() ? std::string() : ": " + said));
}

Result<ImportedFile> importText(LineSource& lines, const std::function<void(const LocalStar&)>& take) {
    TextStart start;
    std::size_t errorLine = 0, lastLine = 0;
    std::string error;
    bool closed = false, any = false;
    std::string_view line;
    while (lines.next(line)) {
        if (lines.lineNumber() == 1 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);  // UTF-8 mark
        if (trimmed(line).empty()) continue;
        any = true;
        lastLine = lines.lineNumber();
        if (trimmed(line).front() == '<') return markupRefusal(lines, line);
        if (!isComment(line)) {
            start.header = std::string(line);
            start.headerLine = lines.lineNumber();
            if (start.header.find('\t') != std::string::npos) return importVizierTsv(lines, start, take);
            if (start.header.find(',') != std::string::npos) return importCsv(lines, start, take);
            return lines.fault(start.headerLine, "not column names separated by tabs or commas");
        }
        if (const auto name = asuTableName(line); !name.empty()) start.tableName = name;
        if (isAsuError(line) && errorLine == 0) {
            errorLine = lines.lineNumber();
            error = serviceMessage(line);
        }
        closed = isAsuClosing(line);
    }
    if (lines.error()) return *lines.error();
    if (!any) return lines.fault(0, "an empty file");
    // Comments only: VizieR's answer for a field with no match, or its error.
    if (errorLine > 0) return lines.fault(errorLine, "VizieR answered with an error: " + error);
    const auto named = vizierTableSource(start.tableName);
    if (!closed) return lines.fault(lastLine, "comments only, no column names and no closing line: cut short?");
    if (!named)
        return lines.fault(0, start.tableName.empty()
                                  ? "a VizieR answer without a table (no match): no stars to import"
                                  : "VizieR's table " + start.tableName + " is of no catalogue known");
    return ImportedFile{.source = *named};
}

}  // namespace

std::optional<std::string> takeRow(const StarLayout& layout, const StarValues& values, const TakeStar& take,
                                   ImportedFile& file) {
    RowStar row = starOfRow(layout, values);
    if (!row.fault.empty()) return std::move(row.fault);
    if (!row.star) {
        ++file.skipped;
        return std::nullopt;
    }
    take(*row.star);
    ++file.stars;
    return std::nullopt;
}

Result<ImportedFile> importStars(const std::string& path, const std::function<void(const LocalStar&)>& take,
                                 const std::function<void(double fraction)>& progress) {
    std::optional<Result<ImportedFile>> read;
    {
        LineSource lines(path, progress);
        if (lines.error()) return *lines.error();
        const std::string_view head = lines.head();
        if (lines.error()) return *lines.error();
        if (head.starts_with(kFitsStart)) {
            // read below, by cfitsio, once this file is closed
        } else if (isBinary(head)) {
            return lines.fault(0, "binary data, neither a table of text lines nor a FITS file");
        } else {
            read = importText(lines, take);
        }
    }
    if (!read) read = importFitsTable(path, take, progress);
    if (read->ok() && progress) progress(1.0);
    return std::move(*read);
}

}  // namespace sextrix
