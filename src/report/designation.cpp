#include "report/designation.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace sextrix {
namespace {

constexpr std::string_view kBase62 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr long kBase62Four = 62L * 62 * 62 * 62;
constexpr long kLargestNumber = 620000 + kBase62Four - 1;  // "~zzzz"
// Cycle 619, letter Z: the last order the original provisional packing holds.
constexpr long kOrdersPacked = 15500;
constexpr long kLargestOrder = kOrdersPacked + kBase62Four;  // "_?? zzzz"
constexpr std::pair<std::string_view, std::string_view> kSurveys[] = {
    {"P-L", "PL"}, {"T-1", "T1"}, {"T-2", "T2"}, {"T-3", "T3"}};

using Packed = Outcome<std::string>;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }
bool isHalfMonth(char c) { return isUpper(c) && c != 'I' && c != 'Z'; }
bool allDigits(std::string_view s) { return !s.empty() && std::all_of(s.begin(), s.end(), isDigit); }
bool isBlank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }
int base62(char c) {
    const auto at = kBase62.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}
std::string quoted(std::string_view s) {
    std::string text(1, '"');
    text.append(s).push_back('"');
    return text;
}

// A whole number of at most nine digits, without sign.
std::optional<long> wholeNumber(std::string_view s) {
    if (!allDigits(s) || s.size() > 9) return std::nullopt;
    long value = 0;
    for (char c : s) value = value * 10 + (c - '0');
    return value;
}

std::string zeroPadded(long value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

std::string base62Digits(long value, int width) {
    std::string text(static_cast<std::size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i, value /= 62) text[static_cast<std::size_t>(i)] = kBase62[value % 62];
    return text;
}

// 0 to 619 in two characters: "07", "99", "A0" (100), "z9" (619).
std::string twoCharacterCount(long count) {
    if (count < 100) return zeroPadded(count, 2);
    return {kBase62[static_cast<std::size_t>(count / 10)], static_cast<char>('0' + count % 10)};
}
std::optional<long> countFromTwoCharacters(std::string_view two) {
    const int tens = base62(two[0]);
    if (tens < 0 || !isDigit(two[1])) return std::nullopt;
    return tens * 10L + (two[1] - '0');
}

// The year's first two digits as one character: I = 18, J = 19, K = 20.
std::string packedYear(int year) { return kBase62[static_cast<std::size_t>(year / 100)] + zeroPadded(year % 100, 2); }
std::optional<std::string> unpackedYear(std::string_view three) {
    const int century = base62(three[0]);
    if (century < 18 || century > 20 || !allDigits(three.substr(1, 2))) return std::nullopt;
    return std::to_string(century) + std::string(three.substr(1, 2));
}

// Second letters count A = 1 to Z = 25 within a cycle, I left out.
int letterOrder(char letter) { return letter - 'A' + 1 - (letter > 'I' ? 1 : 0); }
char letterAt(long order) { return static_cast<char>('A' + order - 1 + (order >= 9 ? 1 : 0)); }

std::string columns(std::string_view first5, std::string_view last7) {
    std::string text(first5);
    text.resize(5, ' ');
    text += last7;
    text.resize(12, ' ');
    return text;
}

Outcome<Designation> refused(std::string reason) { return Outcome<Designation>::refused(std::move(reason)); }

// The seven packed characters of "1995 XA", "2008 AA360", "2026 CA620".
Packed packedProvisional(int year, std::string_view body) {
    if (body.size() < 2 || !isUpper(body[0]) || !isUpper(body[1]))
        return Packed::refused(
            "A provisional designation is a year, a space and two capital letters, perhaps followed by a number: "
            "\"1995 XA\", \"2024 AB12\".");
    if (!isHalfMonth(body[0]))
        return Packed::refused(quoted(body.substr(0, 1)) + " is not a half-month letter (I and Z are not used).");
    if (body[1] == 'I') return Packed::refused("I is not used as the second letter of a provisional designation.");
    long cycle = 0;
    if (const std::string_view count = body.substr(2); !count.empty()) {
        const auto number = wholeNumber(count);
        if (!number || count[0] == '0')
            return Packed::refused("The number after the two letters is written without leading zeros, as in " +
                                   quoted("2024 AB12") + ".");
        cycle = *number;
    }
    if (year < 1925 || year > 2099)
        return Packed::refused("Provisional designations of this form run from 1925 to 2099.");
    const long order = cycle * 25 + letterOrder(body[1]);
    if (order <= kOrdersPacked) return packedYear(year) + body[0] + twoCharacterCount(cycle) + body[1];
    if (year < 2010 || year > 2035 || order > kLargestOrder)
        return Packed::refused("The cycle count " + std::to_string(cycle) + " of " + std::to_string(year) +
                               " is beyond what the packed designation can hold.");
    std::string extended(1, '_');
    extended += kBase62[static_cast<std::size_t>(year - 2000)];
    extended += body[0];
    return extended + base62Digits(order - kOrdersPacked - 1, 4);
}

// What seven packed characters of a minor planet stand for: "1995 XA",
// "2026 CA620", "2040 P-L".
std::optional<std::string> provisionalFromPacked(std::string_view p) {
    if (p.size() != 7) return std::nullopt;
    for (const auto& [survey, code] : kSurveys)
        if (p.substr(0, 2) == code && p[2] == 'S' && allDigits(p.substr(3)))
            return std::string(p.substr(3)) + " " + std::string(survey);
    if (p[0] == '_') {
        long order = 0;
        for (char c : p.substr(3)) {
            if (base62(c) < 0) return std::nullopt;
            order = order * 62 + base62(c);
        }
        order += kOrdersPacked + 1;
        if (!isUpper(p[1]) || !isHalfMonth(p[2])) return std::nullopt;
        return std::to_string(2000 + base62(p[1])) + " " + p[2] + letterAt((order - 1) % 25 + 1) +
               std::to_string((order - 1) / 25);
    }
    const auto year = unpackedYear(p.substr(0, 3));
    const auto cycle = countFromTwoCharacters(p.substr(4, 2));
    if (!year || !cycle || !isHalfMonth(p[3]) || !isUpper(p[6])) return std::nullopt;
    return *year + " " + p[3] + p[6] + (*cycle ? std::to_string(*cycle) : "");
}

// What seven packed characters of a comet stand for: "1995 A1", "1994 P1-B".
std::optional<std::string> cometFromPacked(std::string_view p) {
    const auto year = unpackedYear(p.substr(0, 3));
    const auto order = countFromTwoCharacters(p.substr(4, 2));
    if (!year || !order || !isHalfMonth(p[3]) || (p[6] != '0' && !isLower(p[6]))) return std::nullopt;
    std::string name = *year + " " + p[3] + std::to_string(*order);
    if (p[6] != '0') name += std::string("-") + static_cast<char>(p[6] - 'a' + 'A');
    return name;
}

Outcome<Designation> numberedMinorPlanet(std::string_view digits) {
    const auto number = wholeNumber(digits);
    if (!number || *number == 0 || *number > kLargestNumber)
        return refused("Minor-planet numbers run from 1 to " + std::to_string(kLargestNumber) + ": " + quoted(digits) +
                       ".");
    std::string packed;
    if (*number < 100000)
        packed = zeroPadded(*number, 5);
    else if (*number < 620000)
        packed = kBase62[static_cast<std::size_t>(*number / 10000)] + zeroPadded(*number % 10000, 4);
    else
        packed = std::string(1, '~') + base62Digits(*number - 620000, 4);
    return Designation{DesignationKind::NumberedMinorPlanet, std::to_string(*number), columns(packed, "")};
}

Outcome<Designation> numberedComet(std::string_view digits, char type, std::string_view rest) {
    if (!rest.empty() && rest[0] == '-')
        return refused(
            "A fragment of a numbered comet has no packed form of its own; report it under the "
            "fragment's provisional designation, as in \"P/1994 P1-B\".");
    const auto number = wholeNumber(digits);
    if (!rest.empty() || !number || *number == 0 || *number > 9999)
        return refused("A periodic comet's number runs from 1 to 9999, followed by P, D or I: \"1P\", \"3D\".");
    return Designation{DesignationKind::NumberedComet, std::to_string(*number) + type,
                       columns(zeroPadded(*number, 4) + type, "")};
}

Outcome<Designation> provisionalComet(std::string_view text) {
    const char type = text[0];
    if (std::string_view("ACDPX").find(type) == std::string_view::npos || text.size() < 9 ||
        !allDigits(text.substr(2, 4)) || text[6] != ' ')
        return refused(
            "A comet's provisional designation is C/, P/, D/, X/ or A/, a year, a space, the half-month "
            "letter and a number: \"C/1995 O1\", \"P/1994 P1-B\".");
    const int year = static_cast<int>(*wholeNumber(text.substr(2, 4)));
    std::string_view body = text.substr(7);
    char fragment = 0;
    if (const auto dash = body.find('-'); dash != std::string_view::npos) {
        if (dash + 2 != body.size() || !isUpper(body[dash + 1]) || type == 'A')
            return refused(
                "A comet's fragment is one capital letter after a hyphen, as in \"P/1994 P1-B\" (an A/ "
                "object has none).");
        fragment = body[dash + 1];
        body = body.substr(0, dash);
    }
    std::string packed;
    if (body.size() >= 2 && isUpper(body[1])) {  // a minor planet's designation given to a comet: "C/1997 BA6"
        const Packed minorPlanet = packedProvisional(year, body);
        if (!minorPlanet || fragment)
            return refused(fragment ? "Only a comet's own designation has fragments." : minorPlanet.reason());
        packed = *minorPlanet;
    } else {
        const auto order = body.empty() ? std::nullopt : wholeNumber(body.substr(1));
        if (body.empty() || !isHalfMonth(body[0]) || !order || body[1] == '0' || *order > 619)
            return refused(
                "After the year comes the half-month letter and the comet's order in it, 1 to 619 without "
                "leading zeros: \"C/1995 O1\".");
        if (year < 1800 || year > 2099) return refused("Comet designations of this form run from 1800 to 2099.");
        packed = packedYear(year) + body[0] + twoCharacterCount(*order) +
                 (fragment ? static_cast<char>(fragment - 'A' + 'a') : '0');
    }
    return Designation{DesignationKind::ProvisionalComet, std::string(text),
                       columns(std::string(4, ' ') + type, packed)};
}

Outcome<Designation> provisionalMinorPlanet(std::string_view text) {
    const int year = static_cast<int>(*wholeNumber(text.substr(0, 4)));
    const std::string_view body = text.substr(5);
    for (const auto& [survey, code] : kSurveys)
        if (body == survey) {
            if (year == 0) return refused("Survey numbers start at 1: " + quoted(text) + ".");
            return Designation{DesignationKind::ProvisionalMinorPlanet, std::string(text),
                               columns("", std::string(code) + "S" + std::string(text.substr(0, 4)))};
        }
    const Packed packed = packedProvisional(year, body);
    if (!packed) return refused(packed.reason());
    return Designation{DesignationKind::ProvisionalMinorPlanet, std::string(text), columns("", *packed)};
}

Outcome<Designation> temporary(std::string_view text) {
    const bool alphanumeric =
        std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c) || isUpper(c) || isLower(c); });
    if (text.size() > 7 || !alphanumeric || !(isUpper(text[0]) || isLower(text[0])))
        return refused(quoted(text) +
                       " is not a designation: type a number (433), a provisional designation (2024 AB12, 2040 P-L), "
                       "a comet (C/1995 O1, 1P) or a temporary designation of up to seven letters and digits starting "
                       "with a letter.");
    if (const auto packed = provisionalFromPacked(text); packed && parseDesignation(*packed))
        return refused(quoted(text) + " reads as the packed designation of " + *packed +
                       ": type that, or choose another temporary designation.");
    return Designation{DesignationKind::Temporary, std::string(text), columns("", text)};
}

}  // namespace

Outcome<Designation> parseDesignation(std::string_view typed) {
    const auto first = typed.find_first_not_of(' ');
    if (first == std::string_view::npos) return refused("No designation was given.");
    const std::string_view text = typed.substr(first, typed.find_last_not_of(' ') - first + 1);
    if (text.size() > 2 && text.front() == '(' && text.back() == ')')
        return numberedMinorPlanet(text.substr(1, text.size() - 2));
    if (allDigits(text)) return numberedMinorPlanet(text);
    if (text.size() > 1 && text[1] == '/') return provisionalComet(text);
    if (const auto digits = text.find_first_not_of("0123456789");
        digits > 0 && digits != std::string_view::npos &&
        std::string_view("PDI").find(text[digits]) != std::string_view::npos)
        return numberedComet(text.substr(0, digits), text[digits], text.substr(digits + 1));
    if (text.size() > 5 && allDigits(text.substr(0, 4)) && text[4] == ' ') return provisionalMinorPlanet(text);
    return temporary(text);
}

Outcome<Designation> unpackDesignation(std::string_view packed) {
    if (packed.size() != 12) return refused("The packed designation is not 12 columns: " + quoted(packed) + ".");
    const std::string_view first5 = packed.substr(0, 5), last7 = packed.substr(5);
    std::optional<std::string> name;
    if (isBlank(first5) && !isBlank(last7)) {
        name = provisionalFromPacked(last7);
        // "J95X00I" is no provisional designation, so an observer may use it.
        if ((!name || !parseDesignation(*name)) && last7[0] != ' ')
            name = std::string(last7.substr(0, last7.find(' ')));
    } else if (isBlank(last7) && allDigits(first5.substr(0, 4)) &&
               std::string_view("PDI").find(packed[4]) != std::string_view::npos) {
        name = std::to_string(*wholeNumber(first5.substr(0, 4))) + packed[4];
    } else if (isBlank(last7) && !isBlank(first5)) {
        long number = -1;
        if (first5[0] == '~') {
            const std::string_view digits = first5.substr(1);
            if (std::all_of(digits.begin(), digits.end(), [](char c) { return base62(c) >= 0; })) {
                number = 0;
                for (char c : digits) number = number * 62 + base62(c);
                number += 620000;
            }
        } else if (allDigits(first5.substr(1)) && base62(first5[0]) >= 0) {
            number = base62(first5[0]) * 10000L + *wholeNumber(first5.substr(1));
        }
        if (number > 0) name = std::to_string(number);
    } else if (isBlank(first5.substr(0, 4)) && std::string_view("ACDPX").find(packed[4]) != std::string_view::npos) {
        auto body = cometFromPacked(last7);
        if (!body) body = provisionalFromPacked(last7);
        if (body) name = std::string(1, packed[4]) + "/" + *body;
    }
    if (name)
        if (auto designation = parseDesignation(*name); designation && designation->columns == packed)
            return designation;
    return refused(quoted(packed) + " is not a packed designation this program reads.");
}

std::string displayName(const Designation& designation) {
    return designation.kind == DesignationKind::NumberedMinorPlanet ? "(" + designation.name + ")" : designation.name;
}

bool isComet(DesignationKind kind) {
    return kind == DesignationKind::NumberedComet || kind == DesignationKind::ProvisionalComet;
}

}  // namespace sextrix
