#pragma once
// Text helpers shared by the converters of the current web services: query
// addresses, and numbers to and from text without the C locale. The Qt
// program sets LC_NUMERIC from the user's environment, so printf and strtod
// could write or expect "13,5"; to_chars and from_chars never do.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sextrix {

// "host", "host/", "http://host:8080" -> "https://host", "http://host:8080":
// the scheme defaults to https, a trailing slash is dropped.
std::string serviceBase(std::string_view address);

// The request to a service: its base address and the protocol's page and
// query, e.g. ("vizier.test", "/viz-bin/asu-tsv?-source=...") gives
// "https://vizier.test/viz-bin/asu-tsv?-source=...". An address with a path
// of its own ("https://ssp.imcce.fr/webservices/skybot/api/conesearch.php")
// is the page: it takes the place of the protocol's, the query follows it
// (after "&" when the address holds a query already).
std::string serviceUrl(std::string_view address, std::string_view pageAndQuery);

// Percent-encodes a query value: unreserved characters, "/" and "," stay,
// everything else (blank, "+", "<", "&" ...) becomes %XX.
std::string queryEncoded(std::string_view value);

// value with exactly `decimals` decimals, "." as the point, e.g. 13.5 -> "13.500".
std::string fixedText(double value, int decimals);
// The same without trailing zeros (and without a trailing point): 13.500 -> "13.5".
std::string trimmedText(double value, int decimals);
// fixedText right-aligned in width characters, or nullopt when it is wider.
std::optional<std::string> fixedField(double value, int decimals, std::size_t width);

// A whole cell of a table as a number: blanks around it allowed, a leading
// "+" allowed, "." as the point; nullopt for anything else (empty included).
std::optional<double> cellNumber(std::string_view cell);

std::string_view trimmed(std::string_view text);

// Lines of a body split at LF, a CR before the LF removed. The text after the
// last LF, when there is any, is the last element.
std::vector<std::string_view> bodyLines(std::string_view body);

// What a service said when it sent no answer (an error page, an error text):
// its first line holding a letter or a digit once the markup is gone (tags
// and comments, the content of scripts and styles), runs of blanks made one,
// leading "#" dropped, cut to at most maxBytes (on a character's boundary,
// "…" then added). Empty when there is no such line.
std::string serviceMessage(std::string_view body, std::size_t maxBytes = 120);

// Writes text at 1-based column first of line, which must be long enough.
void putColumn(std::string& line, std::size_t first, std::string_view text);

}  // namespace sextrix
