#include "star_list_reader.h"

#include <algorithm>
#include <cctype>

#include "catalogue_columns.h"
#include "state/errors.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr std::string_view kFirstRecordMarker = "</b>   1 U";
constexpr std::size_t kRecordLength = 66;  // 65 characters and the LF

constexpr std::size_t kNone = std::string_view::npos;

std::size_t findTag(std::string_view text, std::string_view tag, std::size_t from = 0) {
    const auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    const auto at = std::search(text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())), text.end(),
                                tag.begin(), tag.end(), same);
    return at == text.end() ? kNone : static_cast<std::size_t>(at - text.begin());
}

// Where record 1 starts: right after the heading's "</b>" that the marker
// ends; kNone without the marker.
std::size_t firstRecordAt(std::string_view text) {
    const std::size_t marker = findTag(text, kFirstRecordMarker);
    return marker == kNone ? kNone : marker + 4;
}

std::string lastLine(std::string bytes) {
    LineReader reader(std::move(bytes));
    std::string line;
    while (!reader.atEnd()) line = reader.readLine();
    return line;
}

StarRecord readRecord(std::string_view record, double corrAsd, double corrDec, std::optional<double> centreRa) {
    StarRecord star;
    star.id = column(record, 6, 14);
    star.ra = raNearCentre(parseLeadingNumber(column(record, 21, 9)), centreRa);
    star.dec = parseLeadingNumber(column(record, 31, 9));
    star.x = scaledWhole(star.ra, corrAsd);
    star.y = scaledWhole(star.dec, corrDec);
    star.magR = column(record, 41, 4);
    star.magB = column(record, 46, 4);
    return star;
}

}  // namespace

Result<std::vector<StarRecord>> parseStarList(std::string bytes, const std::string& file, double corrAsd,
                                              double corrDec, std::optional<double> centreRa) {
    const std::string text = lastLine(std::move(bytes));
    // The marker ends in the first record's "   1 U"; skipping through "</b>"
    // leaves the text at that record. Without the marker the first three
    // characters go and the record test decides.
    const std::size_t first = firstRecordAt(text);
    const std::size_t cursor = first == kNone ? 3 : first;
    std::string_view rest = std::string_view(text).substr(std::min(cursor, text.size()));

    std::vector<StarRecord> stars;
    while (stars.size() < static_cast<std::size_t>(kCatalogueCapacity)) {
        const std::string_view record = rest.substr(0, kRecordLength);
        rest.remove_prefix(record.size());
        if (column(record, 6, 1) != "U") break;
        try {
            stars.push_back(readRecord(record, corrAsd, corrDec, centreRa));
        } catch (const OverflowError& e) {
            return ReadError{.file = file,
                             .line = static_cast<int>(stars.size()) + 1,
                             .cause = e.what(),
                             .place = ReadPlace::Record};
        }
    }
    return stars;
}

StarPageShape starPageShape(std::string bytes) {
    const std::string text = lastLine(std::move(bytes));
    StarPageShape shape;
    std::size_t heading = firstRecordAt(text);
    shape.records = heading != kNone;
    if (!shape.records) {
        const std::size_t pre = findTag(text, "<pre>");
        const std::size_t close = pre == kNone ? kNone : findTag(text, "</b>", pre);
        if (close == kNone) return shape;
        heading = close + 4;
    }
    shape.heading = true;
    const std::size_t pre = findTag(text, "</pre>", heading);
    if (pre == kNone) return shape;
    shape.blankBlock = text.find_first_not_of(" \t\r\n", heading) == pre;
    const std::size_t html = findTag(text, "</html>", pre);
    shape.ended = html != kNone && text.find_first_not_of(" \t\r\n", html + 7) == std::string::npos;
    return shape;
}

std::optional<double> magnitudeOf(const std::string& column) {
    try {
        return tryParseStrictNumber(column, '.');
    } catch (const OverflowError&) {
        return std::nullopt;
    }
}

}  // namespace sextrix
