#include "download_protocols.h"

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

bool isStarAnswer(const std::string& bytes) {
    // Records start right after the heading's "</b>"; a result with no star
    // closes the heading and the block with nothing but blanks between.
    const std::size_t pre = bytes.find("<pre>");
    if (pre == std::string::npos) return false;
    const std::size_t heading = bytes.find("</b>", pre);
    if (heading == std::string::npos) return false;
    const std::size_t close = bytes.find("</pre>", heading);
    const std::string_view between = std::string_view(bytes).substr(
        heading + 4, close == std::string::npos ? std::string::npos : close - heading - 4);
    if (between.find_first_not_of(" \t\r\n") == std::string_view::npos) return close != std::string::npos;
    if (bytes.compare(heading, 10, "</b>   1 U") != 0) return false;
    try {
        return !parseStarList(bytes, 1, 1).empty();
    } catch (const RecordError&) {
        return false;
    }
}

bool isAsteroidAnswer(const std::string& bytes) {
    // The reader takes lines 14 on up to the one whose characters 2-7 are
    // "</pre>"; each line before it must carry the RA digits where it reads them.
    const std::vector<std::string> lines = splitLines(bytes);
    constexpr std::size_t kFirstAsteroidLine = 14;
    const auto digit = [](std::string_view line, std::size_t at) {
        return line.size() >= at && std::isdigit(static_cast<unsigned char>(line[at - 1]));
    };
    for (std::size_t n = kFirstAsteroidLine; n <= lines.size(); ++n) {
        const std::string& line = lines[n - 1];
        if (column(line, 2, 6) == "</pre>") return true;
        for (std::size_t at : {26u, 27u, 29u, 30u, 32u, 33u})
            if (!digit(line, at)) return false;
    }
    return false;
}

namespace {

std::string usnoaUrl(const std::string& address, const StarQuery& q) {
    return serviceUrl(address, usnoaQuery(q.epochText, q.raText, q.decText, q.fieldText, q.magText));
}

AnswerOutcome usnoaAnswer(std::string body, const StarQuery&) {
    if (!isStarAnswer(body)) return AnswerOutcome::refuse(std::string(kNotAnAnswer));
    return AnswerOutcome::accept(std::move(body));
}

std::string mpcheckUrl(const std::string& address, const AsteroidQuery& q) {
    return serviceUrl(address, mpcheckQuery(q.yearText, q.monthText, q.dayText, q.raText, q.decText, q.radiusText,
                                            q.limitText));
}

AnswerOutcome mpcheckAnswer(std::string body, const AsteroidQuery&) {
    if (!isAsteroidAnswer(body)) return AnswerOutcome::refuse(std::string(kNotAnAnswer));
    return AnswerOutcome::accept(std::move(body));
}

// VizieR: one catalogue per protocol name, its table converted into the
// star answer layout.
template <VizierCatalogue catalogue>
std::string vizierUrl(const std::string& address, const StarQuery& q) {
    return vizierStarUrl(address, catalogue, {q.raDeg, q.decDeg, q.radiusArcmin, q.magLimit});
}

template <VizierCatalogue catalogue>
AnswerOutcome vizierAnswer(std::string body, const StarQuery&) {
    std::optional<std::string> answer = starAnswerFromVizier(body, catalogue);
    if (!answer) return AnswerOutcome::refuse(std::string(kNotAnAnswer));
    return AnswerOutcome::accept(std::move(*answer));
}

// SkyBoT works in UT: the typed exposure time is the local clock's.
AsteroidCone skybotCone(const AsteroidQuery& q) {
    return {q.raDeg, q.decDeg, q.radiusArcmin, q.magLimit,
            julianDateFromLocal(q.year, q.month, q.day, q.utcOffsetHours)};
}

std::string skybotQueryUrl(const std::string& address, const AsteroidQuery& q) {
    return skybotUrl(address, skybotCone(q));
}

AnswerOutcome skybotAnswer(std::string body, const AsteroidQuery& q) {
    std::optional<std::string> answer = asteroidAnswerFromSkybot(body, skybotCone(q));
    if (!answer) return AnswerOutcome::refuse(std::string(kNotAnAnswer));
    return AnswerOutcome::accept(std::move(*answer));
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
