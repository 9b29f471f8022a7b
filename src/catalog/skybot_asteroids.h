#pragma once
// The asteroid list from SkyBoT (IMCCE), converted on arrival into the layout
// of the asteroid-check answer (data2.txt) that parseAsteroidList reads.
//
// Query: the SkyBoT cone search, text output of the "basic" set (the lightest
// that carries the motions), geocentric
// (observer code 500, as the old query's oc=500), asteroids only (objFilter
// 100: no planets, no comets, as the old list of minor planets), J2000.0
// equatorial frame, no filter on the position uncertainty.
//
// Answer: "# Flag: 1" (objects follow), "# Flag: 0" (none in the field) or
// "# Flag: -1" (an error, its message after it); then "# Ticket: ..."; then the
// heading "# Num | Name | RA(h) | DE(deg) | Class | Mv | Err(arcsec) |
// d(arcsec) | dRA(arcsec/h) | dDEC(arcsec/h) | Dg(ua) | Dh(ua)" and one line
// per object, cells separated by " | ", RA "hh mm ss.ssss", Dec
// "+dd mm ss.sss", Num "-" for an unnumbered object. The "object" set stops
// after d(arcsec): it is taken too, its motions unknown. Cells are found by
// their names, so the "all" set's further cells do not matter.
//
// Written line, 1-based columns (the old service's):
//    1-7  "(" and the number, right-aligned; ")" in 8; blank when unnumbered
//  10-24  name or provisional designation (cut at 15 characters)
//  26-35  RA J2000.0 "hh mm ss.s"        37-45  Dec J2000.0 "+dd mm ss"
//  48-51  V magnitude, %4.1f              54-59, 61-66  offsets from the
//         field centre in arcminutes on the tangent plane, "  0.3E", "  4.1N"
//  70-72  motion in RA, 77-79 motion in Dec: whole arcseconds per hour with
//         their sign first ("+12", " -5"); beyond 99 "/h the sign and "**";
//         blank when the answer has no motions
// Objects sorted by distance from the field centre (the old query's sort=d).
#include <optional>
#include <string>
#include <string_view>

#include "state/read_result.h"

namespace sextrix {

// Field centre J2000.0 in degrees, search radius in arcminutes, faintest V
// kept, epoch as a Julian date (UTC).
struct AsteroidCone {
    double raDeg;
    double decDeg;
    double radiusArcmin;
    double magLimit;
    double julianDate;
};

constexpr int kSkybotMaxObjects = 500;

// Julian date of a UTC calendar date of the Gregorian calendar, the day with
// its fraction (Meeus, Astronomical Algorithms, ch. 7): 2000 January 1.5 is
// 2451545.0.
double julianDateUtc(int year, int month, double dayWithFraction);

// The cone search on a SkyBoT server (address: the whole page, or a host
// taking /webservices/skybot/api/conesearch.php; see serviceUrl), e.g.
// https://ssp.imcce.fr/webservices/skybot/api/conesearch.php?-ep=2460000.5
//   &-ra=23.708333&-dec=22.183611&-rd=1.666667&-mime=text&-output=basic
//   &-loc=500&-filter=0&-objFilter=100&-refsys=EQJ2000&-from=VelorinSextrix
std::string skybotUrl(const std::string& address, const AsteroidCone& cone);

// The bytes of an asteroid answer (CR LF lines: a 13-line page header, one
// asteroid a line, " </pre>" and 39 more trailer lines) for a SkyBoT text
// answer: objects with V <= magLimit, nearest the centre first, at most 500.
// An error (naming kSkybotAnswer and the line) when the body is not a whole
// SkyBoT answer: cut inside a line, no "# Flag:" first line, a
// flag other than 0 and 1, no heading with the Num, Name, RA(h), DE(deg) and
// Mv cells (dRA and dDEC both or neither), a line with another number of
// cells (cut short), a
// position, magnitude or motion that is not a number. Flag 0 gives a valid
// answer of no asteroid.
Result<std::string> asteroidAnswerFromSkybot(std::string_view body, const AsteroidCone& cone);

// The name an error of asteroidAnswerFromSkybot gives the body.
inline constexpr std::string_view kSkybotAnswer = "SkyBoT answer";

// Whether the answer's end arrived. The text table has no closing line of its
// own: its last line ends with LF, so a body stopping inside a line was cut.
bool skybotAnswerEnded(std::string_view body);

}  // namespace sextrix
