#include "text_number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "errors.h"

namespace sextrix {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isIgnoredBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Reads "[sign] digits [sep digits] [e|E|d|D [sign] digits]" from the start of
// text and returns the number of characters used (0 when there is no number).
// The result is rewritten with "." so that strtod reads it the same in any
// C locale.
std::size_t scanNumber(std::string_view text, char sep, std::string& normalised) {
    std::size_t i = 0;
    normalised.clear();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) normalised += text[i++];
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        normalised += text[i++];
        ++digits;
    }
    if (i < text.size() && text[i] == sep) {
        normalised += '.';
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            normalised += text[i++];
            ++digits;
        }
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        std::size_t expDigits = 0;
        while (j < text.size() && isDigit(text[j])) {
            exponent += text[j++];
            ++expDigits;
        }
        if (expDigits > 0) {
            normalised += exponent;
            i = j;
        }
    }
    return i;
}

double toDouble(const std::string& normalised) {
    double value = std::strtod(normalised.c_str(), nullptr);
    if (std::isinf(value)) throw OverflowError();
    return value;
}

}  // namespace

double parseLeadingNumber(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (!isIgnoredBlank(c)) compact += c;
    std::string normalised;
    if (scanNumber(compact, '.', normalised) == 0) return 0.0;
    return toDouble(normalised);
}

std::optional<double> tryParseStrictNumber(std::string_view text, char decimalSeparator) {
    auto isEdgeBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isEdgeBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isEdgeBlank(text.back())) text.remove_suffix(1);
    std::string normalised;
    std::size_t used = scanNumber(text, decimalSeparator, normalised);
    if (used == 0 || used != text.size()) return std::nullopt;
    double value = std::strtod(normalised.c_str(), nullptr);
    if (std::isinf(value)) throw OverflowError();
    return value;
}

double parseStrictNumber(std::string_view text, char decimalSeparator) {
    auto value = tryParseStrictNumber(text, decimalSeparator);
    if (!value) throw TypeMismatchError(std::string(text));
    return *value;
}

namespace {

// A whole number of 1E+15 and more as plain digits: its 15 significant digits
// followed by zeros, which read back under either decimal separator (an
// exponent form carries the separator: "1.8E+15" is no number under ",").
// Near the top of the double range the rounded digits can exceed the largest
// double; they are then rounded towards zero, so that the text reads back.
std::string wholeNumberDigits(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const std::string_view text = buffer;  // "d.dddddddddddddde+XXX"
    const std::size_t e = text.find('e');
    std::string digits = std::string(text.substr(0, 1)) + std::string(text.substr(2, e - 2));
    const int exponent = std::atoi(buffer + e + 1);
    const auto allDigits = [&] { return digits + std::string(static_cast<std::size_t>(exponent) - 14, '0'); };
    if (std::isinf(std::strtod(allDigits().c_str(), nullptr))) {
        // One unit less in the fifteenth digit.
        for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
            if (*it != '0') {
                --*it;
                break;
            }
            *it = '9';
        }
    }
    return (value < 0 ? "-" : "") + allDigits();
}

}  // namespace

std::string numberToText(double value, char decimalSeparator) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
    if (value == 0) return "0";
    if (std::fabs(value) >= 1e15 && value == std::trunc(value)) return wholeNumberDigits(value);
    // %.15g is the shortest form of the value rounded to 15 significant
    // digits: trailing zeros go, plain notation from 1E-05 up to 1E+15.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    if (auto e = text.find('e'); e != std::string::npos) text[e] = 'E';
    if (auto dot = text.find('.'); dot != std::string::npos) text[dot] = decimalSeparator;
    return text;
}

double roundHalfEven(double value) {
    // rint honours the current rounding mode, which is round-to-nearest-even.
    return std::rint(value);
}

std::int16_t toInt16Checked(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) throw OverflowError();
    return static_cast<std::int16_t>(rounded);
}

std::int16_t parseStrictInt16(std::string_view text, char decimalSeparator) {
    return toInt16Checked(parseStrictNumber(text, decimalSeparator));
}

std::string intToText(long long value) { return std::to_string(value); }

std::string fixedText(double value, int decimals, char decimalSeparator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (decimalSeparator != '.')
        for (char& c : text)
            if (c == '.') c = decimalSeparator;
    return text;
}

double parseLeadingNumber(std::string_view text, char decimalSeparator) {
    std::string pointed(text);
    for (char& c : pointed)
        if (c == decimalSeparator) c = '.';
    return parseLeadingNumber(pointed);
}

std::string roundedText(double value, int decimals, char decimalSeparator) {
    const double scale = std::pow(10.0, decimals);
    return numberToText(roundHalfEven(value * scale) / scale, decimalSeparator);
}

}  // namespace sextrix
