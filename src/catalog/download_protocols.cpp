#include "download_protocols.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

#include "asteroid_list_reader.h"
#include "catalogue_columns.h"
#include "download_queries.h"
#include "service_text.h"
#include "skybot_asteroids.h"
#include "star_list_reader.h"
#include "state/text_lines.h"
#include "vizier_stars.h"

namespace sextrix {
namespace {

// Whether a line after line `after` (1-based) holds "</html>", in any case,
// with only blanks after it to the end of the text.
bool pageClosed(const std::vector<std::string>& lines, std::size_t after) {
    for (std::size_t n = lines.size(); n > after; --n) {
        const std::string line = asciiLower(trimmed(lines[n - 1]));
        if (line.empty()) continue;
        return line.size() >= 7 && line.compare(line.size() - 7, 7, "</html>") == 0;
    }
    return false;
}

}  // namespace

std::string_view starAnswerRefusal(const std::string& bytes) {
    const StarPageShape page = starPageShape(bytes);
    if (!page.heading) return kNotAnAnswer;
    if (!page.ended) return kCutAnswer;
    if (!page.records) return page.blankBlock ? std::string_view() : kNotAnAnswer;
    const auto stars = parseStarList(bytes, "star answer", 1, 1);
    return !stars || stars->empty() ? kNotAnAnswer : std::string_view();
}

std::string_view asteroidAnswerRefusal(const std::string& bytes) {
    // The reader takes lines 14 on up to the one whose characters 2-7 are
    // "</pre>"; each line before it must carry the RA digits where it reads
    // them. The page ends with "</html>" after that line.
    const std::vector<std::string> lines = splitLines(bytes);
    constexpr std::size_t kFirstAsteroidLine = 14;
    const auto digit = [](std::string_view line, std::size_t at) {
        return line.size() >= at && std::isdigit(static_cast<unsigned char>(line[at - 1]));
    };
    for (std::size_t n = kFirstAsteroidLine; n <= lines.size(); ++n) {
        const std::string& line = lines[n - 1];
        if (column(line, 2, 6) == "</pre>") return pageClosed(lines, n) ? std::string_view() : kCutAnswer;
        for (std::size_t at : {26u, 27u, 29u, 30u, 32u, 33u})
            if (!digit(line, at)) return lines.size() == n ? kCutAnswer : kNotAnAnswer;
    }
    return lines.size() >= kFirstAsteroidLine ? kCutAnswer : kNotAnAnswer;
}

AnswerOutcome refusedAnswer(std::string_view why) { return ReadError{"service answer", 0, std::string(why)}; }

namespace {

// A star answer the reader takes, with its count for the status line.
AnswerOutcome acceptStars(std::string bytes) {
    const auto stars = parseStarList(bytes, "star answer", 1, 1);
    if (!stars) return refusedAnswer(kNotAnAnswer);
    return AcceptedAnswer{std::move(bytes), std::to_string(stars->size()) + " stars"};
}

std::string usnoaUrl(const std::string& address, const StarQuery& q) {
    return serviceUrl(address, usnoaQuery(q.epochText, q.raText, q.decText, q.fieldText, q.magText));
}

AnswerOutcome usnoaAnswer(std::string body, const StarQuery&) {
    const std::string_view refusal = starAnswerRefusal(body);
    if (!refusal.empty()) return refusedAnswer(refusal);
    return acceptStars(std::move(body));
}

std::string mpcheckUrl(const std::string& address, const AsteroidQuery& q) {
    return serviceUrl(address,
                      mpcheckQuery(q.yearText, q.monthText, q.dayText, q.raText, q.decText, q.radiusText, q.limitText));
}

AnswerOutcome mpcheckAnswer(std::string body, const AsteroidQuery&) {
    const std::string_view refusal = asteroidAnswerRefusal(body);
    if (!refusal.empty()) return refusedAnswer(refusal);
    return AcceptedAnswer{std::move(body), {}};
}

// VizieR: one catalogue per protocol name, its table converted into the
// star answer layout.
template <VizierCatalogue catalogue>
std::string vizierUrl(const std::string& address, const StarQuery& q) {
    return vizierStarUrl(address, catalogue, {q.raDeg, q.decDeg, q.radiusArcmin, q.magLimit});
}

template <VizierCatalogue catalogue>
AnswerOutcome vizierAnswer(std::string body, const StarQuery&) {
    // The converter's line and cause stay behind: the window says the two
    // refusals in its language, with what the service said.
    Result<std::string> answer = starAnswerFromVizier(body, catalogue);
    if (answer) return acceptStars(std::move(*answer));
    // Every VizieR answer opens with its "#" banner: one without its last line was cut.
    return refusedAnswer(body.starts_with('#') && !vizierAnswerEnded(body) ? kCutAnswer : kNotAnAnswer);
}

// SkyBoT works in UT, as the date boxes do.
AsteroidCone skybotCone(const AsteroidQuery& q) {
    return {q.raDeg, q.decDeg, q.radiusArcmin, q.magLimit, julianDateUtc(q.year, q.month, q.day)};
}

std::string skybotQueryUrl(const std::string& address, const AsteroidQuery& q) {
    return skybotUrl(address, skybotCone(q));
}

AnswerOutcome skybotAnswer(std::string body, const AsteroidQuery& q) {
    Result<std::string> answer = asteroidAnswerFromSkybot(body, skybotCone(q));
    if (answer) return AcceptedAnswer{std::move(*answer), {}};
    return refusedAnswer(body.starts_with("# Flag:") && !skybotAnswerEnded(body) ? kCutAnswer : kNotAnAnswer);
}

constexpr std::array<Protocol<StarQuery>, 4> kStarProtocols{{
    {"vizier", vizierUrl<VizierCatalogue::UsnoA2>, vizierAnswer<VizierCatalogue::UsnoA2>},
    {"vizier-ucac4", vizierUrl<VizierCatalogue::Ucac4>, vizierAnswer<VizierCatalogue::Ucac4>},
    {"vizier-gaia", vizierUrl<VizierCatalogue::GaiaDr3>, vizierAnswer<VizierCatalogue::GaiaDr3>},
    {"usnoa", usnoaUrl, usnoaAnswer},
}};

constexpr std::array<Protocol<AsteroidQuery>, 2> kAsteroidProtocols{{
    {"skybot", skybotQueryUrl, skybotAnswer},
    {"mpcheck", mpcheckUrl, mpcheckAnswer},
}};

}  // namespace

std::span<const Protocol<StarQuery>> starProtocols() { return kStarProtocols; }
std::span<const Protocol<AsteroidQuery>> asteroidProtocols() { return kAsteroidProtocols; }

}  // namespace sextrix
