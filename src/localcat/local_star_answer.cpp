#include "local_star_answer.h"

#include "catalog/star_answer_page.h"
#include "catalog/vizier_stars.h"
#include "local_catalogue.h"
#include "state/errors.h"

namespace sextrix {
namespace {

std::optional<std::string> answerIdOf(LocalSource source, std::int64_t id) {
    const std::string designation = localIdText(source, id);
    switch (source) {
        case LocalSource::Ucac4: return answerId("UC4 ", designation);
        case LocalSource::GaiaDr3: return gaiaAnswerId(static_cast<std::uint64_t>(id));
        case LocalSource::Tycho2: return answerId("UT", designation);
        case LocalSource::UsnoA2:
        default: return answerId("U", designation);
    }
}

}  // namespace

AnswerOutcome localStarAnswer(const std::string& path, const StarQuery& query, std::optional<double> epochYear) {
    Result<LocalCatalogue> catalogue = LocalCatalogue::open(path);
    if (!catalogue) return catalogue.error();
    const LocalSource source = catalogue->header().source;
    std::vector<LocalStar> stars;
    try {
        stars = catalogue->cone(query.raDeg, query.decDeg, query.radiusArcmin / 60, query.magLimit, epochYear);
    } catch (const FileError& error) {
        return ReadError{path, 0, error.what(), FileFault::CannotRead};
    }
    if (stars.size() > static_cast<std::size_t>(kVizierMaxRows)) stars.resize(kVizierMaxRows);
    std::vector<AnswerStar> listed;
    listed.reserve(stars.size());
    for (const LocalStar& s : stars)
        if (std::optional<std::string> id = answerIdOf(source, s.id))
            listed.push_back({*id, s.raDeg, s.decDeg, s.magR, s.magB});
    const std::string heading = "Local " + std::string(localSourceName(source)) + " catalogue " + path;
    return AcceptedAnswer{starAnswerPage(heading, listed), std::to_string(listed.size()) + " stars"};
}

std::string localProtocolEquivalent(const std::string& path) {
    const Result<LocalCatalogue> catalogue = LocalCatalogue::open(path);
    if (!catalogue) return {};
    switch (catalogue->header().source) {
        case LocalSource::UsnoA2: return "vizier";
        case LocalSource::Ucac4: return "vizier-ucac4";
        case LocalSource::GaiaDr3: return "vizier-gaia";
        case LocalSource::Tycho2: return {};
    }
    return {};
}

}  // namespace sextrix
