#include "star_answer_page.h"

#include <algorithm>

#include "service_text.h"

namespace sextrix {
namespace {

constexpr std::size_t kIdWidth = 14;
constexpr std::size_t kRecordWidth = 65;  // without its LF

std::string magnitudeField(const std::optional<double>& mag) {
    if (mag) {
        if (auto field = fixedField(*mag, 1, 4)) return *field;
    }
    return "    ";
}

std::string record(int sequence, const AnswerStar& star) {
    std::string line(kRecordWidth, ' ');
    putColumn(line, 1, *fixedField(sequence, 0, 4));
    putColumn(line, 6, star.id);
    double ra = star.ra;
    if (ra >= 360.0 - 0.5e-5) ra = 0;  // prints as 360.00000: that is 0 h
    putColumn(line, 21, *fixedField(ra, 5, 9));
    std::string dec = fixedText(star.dec, 5);
    if (dec.front() != '-') dec.insert(0, "+");
    putColumn(line, 31, std::string(9 - dec.size(), ' ') + dec);
    putColumn(line, 41, magnitudeField(star.red));
    putColumn(line, 46, magnitudeField(star.blue));
    line += '\n';
    return line;
}

}  // namespace

std::string starAnswerPage(std::string_view heading, const std::vector<AnswerStar>& stars) {
    std::string page = "<html>\n<head><title>Star list</title></head>\n<body>\n<pre>\n" + std::string(heading) +
                       ", J2000.0, " + std::to_string(stars.size()) +
                       " stars, brightest first\n<b>   # Identifier     RA J2000  Dec J2000 MagR MagB\n</b>";
    page.reserve(page.size() + stars.size() * (kRecordWidth + 1) + 32);
    for (std::size_t i = 0; i < stars.size(); ++i) page += record(static_cast<int>(i) + 1, stars[i]);
    return page + "</pre>\n</body>\n</html>\n";
}

std::optional<std::string> answerId(std::string_view prefix, std::string_view designation) {
    const bool printable = !designation.empty() && std::all_of(designation.begin(), designation.end(),
                                                               [](char c) { return c > ' ' && c < 127; });
    if (!printable || prefix.size() + designation.size() > kIdWidth) return std::nullopt;
    std::string id = std::string(prefix) + std::string(designation);
    return id + std::string(kIdWidth - id.size(), ' ');
}

std::string gaiaAnswerId(std::uint64_t sourceId) {
    static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string text(kIdWidth - 1, '0');
    for (std::size_t i = text.size(); i-- > 0; sourceId /= 36) text[i] = kDigits[sourceId % 36];
    return "U" + text;
}

}  // namespace sextrix
