#pragma once
// The catalogue services the download step can talk to, one table row per
// protocol: how a query becomes an address, and how the service's answer
// becomes the bytes of the answer file (data.txt for stars, data2.txt for
// asteroids, in the layouts the readers take) or is refused. hosts.cfg names
// the protocol of each service; a new service is one more row.
#include <span>
#include <string>
#include <string_view>

#include "state/read_result.h"

namespace sextrix {

// A star query, in the forms the services take.
struct StarQuery {
    // Field centre, J2000.0 degrees: the typed centre precessed from its epoch.
    double raDeg = 0;
    double decDeg = 0;
    double radiusArcmin = 0;  // the field box, read leniently
    double magLimit = 0;      // faintest magnitude, read leniently
    // The texts of the USNO-A query: epoch and field as typed, "h+m+s" and
    // "d+m+s" of the precessed centre, the magnitude as typed.
    std::string epochText, raText, decText, fieldText, magText;
};

// An asteroid query at the time of the exposure.
struct AsteroidQuery {
    int year = 2000;
    int month = 1;
    double day = 1;    // day of the month with its fraction, UT as typed
    double raDeg = 0;  // field centre, J2000.0 degrees, as for the stars
    double decDeg = 0;
    double radiusArcmin = 0;  // read leniently
    double magLimit = 0;      // read leniently
    // The texts of the MPChecker query: year, month and day (the day with
    // the locale's separator), the typed centre "hh+mm+ss" and "[-]dd+mm+ss"
    // after padding, radius and limit as typed.
    std::string yearText, monthText, dayText, raText, decText, radiusText, limitText;
};

// The answer file's bytes, and what it holds for the status line ("0 stars").
struct AcceptedAnswer {
    std::string bytes;
    std::string summary;
};

// A body taken as the answer file, or why it is none: the error's cause is
// kNotAnAnswer or kCutAnswer, its file the service's answer.
using AnswerOutcome = Result<AcceptedAnswer>;
AnswerOutcome refusedAnswer(std::string_view why);

template <class Query>
struct Protocol {
    std::string_view name;  // as written in hosts.cfg
    // address: as hosts.cfg gives it (see serviceUrl for a path in it).
    std::string (*url)(const std::string& address, const Query& query);
    AnswerOutcome (*answer)(std::string body, const Query& query);
};

std::span<const Protocol<StarQuery>> starProtocols();
std::span<const Protocol<AsteroidQuery>> asteroidProtocols();

// The row of that name (lower case, as hosts.cfg is read), or null.
template <class Query>
const Protocol<Query>* findProtocol(std::span<const Protocol<Query>> table, std::string_view name) {
    for (const auto& row : table)
        if (row.name == name) return &row;
    return nullptr;
}

// The refusal of a body that is neither records nor a well-formed empty result.
inline constexpr std::string_view kNotAnAnswer = "not a catalogue answer";
// The refusal of an answer whose end never arrived (the connection closed early).
inline constexpr std::string_view kCutAnswer = "the answer was cut short";

// The checks of the two page layouts: empty when the body is an answer the
// reader takes whole, else kNotAnAnswer or kCutAnswer. The star check reads
// the page's shape with the reader's own starPageShape.
std::string_view starAnswerRefusal(const std::string& bytes);
std::string_view asteroidAnswerRefusal(const std::string& bytes);

}  // namespace sextrix
