#include "deep_sky_reader.h"

#include "catalogue_columns.h"
#include "geometry/centre.h"
#include "state/errors.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr int kHeaderLines = 2;

bool insideWindow(double x, double y, const DeepSkyWindow& w) {
    return w.centreX - w.halfWidth < x && x < w.centreX + w.halfWidth && w.centreY - w.halfWidth < y &&
           y < w.centreY + w.halfWidth;
}

// The rest of an object whose position is already known to be in the window.
void readDetails(std::string_view line, std::string_view prefix, char separator, DeepSkyObject& o) {
    o.name = std::string(prefix) + numberToText(parseLeadingNumber(column(line, 1, 5)), separator);
    o.text51 = column(line, 51, 4);
    o.size1 = parseLeadingNumber(column(line, 62, 6));
    o.size2 = parseLeadingNumber(column(line, 69, 5));
    if (o.size2 == 0) o.size2 = o.size1;
    o.pa = parseLeadingNumber(column(line, 75, 3));
    o.text79 = column(line, 79, 8);
    o.pgc = "PGC " + numberToText(parseLeadingNumber(column(line, 88, 7)), separator);
    o.text97 = column(line, 97, 15);
    o.text113 = column(line, 113, 15);
}

}  // namespace

double deepSkyHalfWidth(double corrAsd, double corrDec, double fieldArcmin) {
    const double s = corrDec < 0 ? corrAsd : corrDec;
    return roundHalfEven(s * 2 / 60 * fieldArcmin);
}

Result<DeepSkyFileScan> scanDeepSkyFile(std::string bytes, const std::string& file, std::string_view prefix,
                                        const DeepSkyWindow& window, std::vector<DeepSkyObject>& kept) {
    LineReader reader(std::move(bytes));
    int lineNumber = 0;
    for (; lineNumber < kHeaderLines && !reader.atEnd(); ++lineNumber) reader.readLine();

    const auto capacity = static_cast<std::size_t>(kObjectCapacity);
    while (kept.size() < capacity && !reader.atEnd()) {
        const std::string line = reader.readLine();
        ++lineNumber;
        try {
            DeepSkyObject o;
            const double ra = raNearCentre(
                raDegreesFromColumns(column(line, 21, 2), column(line, 24, 2), column(line, 27, 4)), window.centreRa);
            o.x = scaledWhole(ra, window.corrAsd);
            o.y = scaledWhole(decDegreesFromColumns(column(line, 32, 3), column(line, 36, 2), column(line, 39, 2)),
                              window.corrDec);
            if (!insideWindow(o.x, o.y, window)) continue;
            readDetails(line, prefix, window.decimalSeparator, o);
            kept.push_back(std::move(o));
        } catch (const OverflowError& e) {
            return ReadError{.file = file, .line = lineNumber, .cause = e.what()};
        }
    }
    return DeepSkyFileScan{.full = kept.size() >= capacity};
}

}  // namespace sextrix
