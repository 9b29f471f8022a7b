#include "asteroid_list_reader.h"

#include <algorithm>
#include <iterator>

#include "catalogue_columns.h"
#include "state/errors.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr std::size_t kMaxLines = 600;
constexpr std::size_t kFirstAsteroidLine = 14;  // after the page header
constexpr std::size_t kTrailerLines = 40;       // "</pre>" and the page end

std::vector<std::string> firstLines(std::string bytes, std::size_t limit) {
    LineReader reader(std::move(bytes));
    std::vector<std::string> lines;
    while (lines.size() < limit && !reader.atEnd()) lines.push_back(reader.readLine());
    return lines;
}

std::string without(std::string_view text, char unwanted) {
    std::string kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept), [unwanted](char c) { return c != unwanted; });
    return kept;
}

AsteroidRecord readAsteroid(std::string_view line, double corrAsd, double corrDec, std::optional<double> centreRa) {
    AsteroidRecord a;
    a.number = without(column(line, 1, 7), '(');
    a.name = without(column(line, 10, 15), ' ');
    const double ra =
        raNearCentre(raDegreesFromColumns(column(line, 26, 2), column(line, 29, 2), column(line, 32, 4)), centreRa);
    const double dec = decDegreesFromColumns(column(line, 37, 3), column(line, 41, 2), column(line, 44, 2));
    // Whole numbers: the decimal separator never shows.
    a.x = numberToText(scaledWhole(ra, corrAsd), '.');
    a.y = numberToText(scaledWhole(dec, corrDec), '.');
    a.text48 = column(line, 48, 4);
    a.text70 = column(line, 70, 3);
    a.text77 = column(line, 77, 3);
    return a;
}

}  // namespace

Result<std::vector<AsteroidRecord>> parseAsteroidList(std::string bytes, const std::string& file, double corrAsd,
                                                      double corrDec, std::optional<double> centreRa) {
    const std::vector<std::string> lines = firstLines(std::move(bytes), kMaxLines);
    std::vector<AsteroidRecord> asteroids;
    // 1-based line numbers, as the page layout is described.
    for (std::size_t i = kFirstAsteroidLine; i + kTrailerLines <= lines.size(); ++i) {
        if (asteroids.size() == static_cast<std::size_t>(kObjectCapacity)) break;
        const std::string& line = lines[i - 1];
        if (column(line, 2, 6) == "</pre>") break;
        try {
            asteroids.push_back(readAsteroid(line, corrAsd, corrDec, centreRa));
        } catch (const OverflowError& e) {
            return ReadError{.file = file, .line = static_cast<int>(i), .cause = e.what()};
        }
    }
    return asteroids;
}

}  // namespace sextrix
