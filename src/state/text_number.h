#pragma once
// The two ways numbers come out of text, and the way they go back into text.
//
// Lenient: skips blanks, tabs and line feeds anywhere, takes an optional sign,
// digits with "." as the decimal point and an optional exponent, stops at the
// first other character; no number at all gives 0. Used by every file reader
// and by the scale, epoch, field and magnitude boxes outside the download step.
//
// Strict: the whole text (blanks around it allowed) must be one number written
// with the locale's decimal separator; anything else is a type mismatch. Used
// for the sexagesimal fields, tolerance, decision threshold and check-box lines,
// and by the download step's field and magnitude boxes.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sextrix {

// Throws OverflowError when the number is beyond the range of a double.
double parseLeadingNumber(std::string_view text);

// The lenient parse, taking the locale's decimal separator for a point too:
// for boxes read leniently that the program itself fills in the locale's
// notation, so that "12,5" is not read as 12 under a French locale.
double parseLeadingNumber(std::string_view text, char decimalSeparator);

std::optional<double> tryParseStrictNumber(std::string_view text, char decimalSeparator);
// Throws TypeMismatchError when the text is not a number.
double parseStrictNumber(std::string_view text, char decimalSeparator);

// Shortest decimal form of up to 15 significant digits, e.g. "2599.43",
// "-0.5", "1.5E-07"; the decimal point is the given separator. Whole numbers
// from 1E+15 up are plain digits, 1E+20 -> "100000000000000000000".
std::string numberToText(double value, char decimalSeparator);

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// Rounds half to even and checks the 16-bit range; throws OverflowError.
std::int16_t toInt16Checked(double value);
// The 16-bit integer value of a text under the strict parse (blanks around it
// allowed), e.g. a check-box line "1"; throws TypeMismatchError or OverflowError.
std::int16_t parseStrictInt16(std::string_view text, char decimalSeparator);

// Whole-number text of an integer, e.g. 42 -> "42", -7 -> "-7".
std::string intToText(long long value);

// A number with a fixed count of decimals and the given separator ("0.25").
std::string fixedText(double value, int decimals, char decimalSeparator);
// A number rounded to at most `decimals` decimals, without trailing zeros
// ("1439.98", "30"): for showing a computed value, not for storing it.
std::string roundedText(double value, int decimals, char decimalSeparator);

}  // namespace sextrix
