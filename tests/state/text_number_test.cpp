#include "state/text_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "state/errors.h"

namespace sextrix {
namespace {

struct LenientRow {
    const char* name;
    const char* text;
    double expected;
};

class LeadingNumber : public ::testing::TestWithParam<LenientRow> {};

TEST_P(LeadingNumber, ReadsTheLeadingNumber) {
    const auto& row = GetParam();
    EXPECT_DOUBLE_EQ(parseLeadingNumber(row.text), row.expected) << "text: \"" << row.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumber,
    ::testing::Values(LenientRow{"Plain", "2599.43", 2599.43}, LenientRow{"Negative", "-12.5", -12.5},
                      LenientRow{"ExplicitPlus", "+7", 7}, LenientRow{"LeadingPoint", ".5", 0.5},
                      LenientRow{"TrailingLetters", "13abc", 13}, LenientRow{"Empty", "", 0},
                      LenientRow{"LoneSign", "-", 0}, LenientRow{"LoneMinusWithLetters", "-x3", 0},
                      LenientRow{"BlanksInside", " 1 2 . 5 ", 12.5}, LenientRow{"TabsAndLineFeeds", "\t3\n4", 34},
                      LenientRow{"CarriageReturnStops", "3\r4", 3}, LenientRow{"Exponent", "1.5E3", 1500},
                      LenientRow{"LowerExponentNegative", "2e-2", 0.02}, LenientRow{"DExponent", "1D2", 100},
                      LenientRow{"ExponentWithoutDigits", "4E", 4}, LenientRow{"ExponentSignOnly", "4e+x", 4},
                      LenientRow{"CommaStops", "2599,43", 2599}, LenientRow{"SecondPointStops", "1.2.3", 1.2},
                      LenientRow{"NoDigits", "abc", 0}, LenientRow{"PointOnly", ".", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LeadingNumber, HugeExponentIsAnOverflow) { EXPECT_THROW(parseLeadingNumber("1e400"), OverflowError); }

struct StrictRow {
    const char* name;
    const char* text;
    char separator;
    bool valid;
    double expected;
};

class StrictNumber : public ::testing::TestWithParam<StrictRow> {};

TEST_P(StrictNumber, AcceptsOnlyWholeNumbers) {
    const auto& row = GetParam();
    auto value = tryParseStrictNumber(row.text, row.separator);
    ASSERT_EQ(value.has_value(), row.valid) << "text: \"" << row.text << "\" separator '" << row.separator << "'";
    if (row.valid) {
        EXPECT_DOUBLE_EQ(*value, row.expected);
        EXPECT_DOUBLE_EQ(parseStrictNumber(row.text, row.separator), row.expected);
    } else {
        EXPECT_THROW(parseStrictNumber(row.text, row.separator), TypeMismatchError);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrictNumber,
    ::testing::Values(
        StrictRow{"PointUnderPoint", "7.5", '.', true, 7.5}, StrictRow{"CommaUnderComma", "7,5", ',', true, 7.5},
        StrictRow{"PointUnderComma", "7.5", ',', false, 0}, StrictRow{"CommaUnderPoint", "7,5", '.', false, 0},
        StrictRow{"BlanksAround", "  12\t", '.', true, 12}, StrictRow{"BlankInside", "1 2", '.', false, 0},
        StrictRow{"LineFeedInside", "1\n2", ',', false, 0}, StrictRow{"Empty", "", '.', false, 0},
        StrictRow{"OnlyBlanks", "   ", ',', false, 0}, StrictRow{"LoneSign", "-", '.', false, 0},
        StrictRow{"Negative", "-3", ',', true, -3}, StrictRow{"ExponentUnderComma", "1,5E2", ',', true, 150},
        StrictRow{"ExponentUnderPoint", "2.5e-1", '.', true, 0.25}, StrictRow{"TrailingLetters", "10px", '.', false, 0},
        StrictRow{"TrailingLettersComma", "10,5px", ',', false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct ToTextRow {
    const char* name;
    double value;
    char separator;
    std::string expected;
};

class NumberToText : public ::testing::TestWithParam<ToTextRow> {};

TEST_P(NumberToText, ShortestForm) {
    const auto& row = GetParam();
    EXPECT_EQ(numberToText(row.value, row.separator), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberToText,
    ::testing::Values(ToTextRow{"Whole", 42, '.', "42"}, ToTextRow{"Zero", 0, ',', "0"},
                      ToTextRow{"Decimal", 2599.43, '.', "2599.43"}, ToTextRow{"DecimalComma", 2599.43, ',', "2599,43"},
                      ToTextRow{"NegativeHalf", -0.5, '.', "-0.5"}, ToTextRow{"OneTenth", 0.1, ',', "0,1"},
                      ToTextRow{"FifteenDigits", 1.0 / 3.0, '.', "0.333333333333333"},
                      ToTextRow{"SumNoiseHidden", 0.1 + 0.2, '.', "0.3"},
                      ToTextRow{"Large", 1e20, '.', "100000000000000000000"},
                      ToTextRow{"WholeFromOneE15", 1e15, ',', "1000000000000000"},
                      ToTextRow{"WholeWithComma", -1.8e15, ',', "-1800000000000000"},
                      ToTextRow{"WholeRoundsToFifteenDigits", 123456789012345678.0, '.', "123456789012346000"},
                      ToTextRow{"NotWholeKeepsTheExponent", 1e15 + 0.5, ',', "1E+15"},
                      ToTextRow{"LargestDoubleRoundsDown", std::numeric_limits<double>::max(), '.',
                                "179769313486231" + std::string(294, '0')},
                      ToTextRow{"RoundHundreds", 300, '.', "300"}, ToTextRow{"NegativeRound", -90, ',', "-90"},
                      ToTextRow{"RoundWithComma", 360, ',', "360"},
                      ToTextRow{"FourteenDigitsWhole", 12345678901234, '.', "12345678901234"},
                      ToTextRow{"TinyPlain", 0.00012, ',', "0,00012"},
                      ToTextRow{"RoundsToFifteenDigits", 0.1234567890123456, '.', "0.123456789012346"},
                      ToTextRow{"Small", 1.5e-7, ',', "1,5E-07"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberToText, RoundTripsThroughTheStrictParse) {
    for (double value : {2709.96, -33456.0, 1.0 / 7.0, 123456.789012345, 1e-3}) {
        for (char sep : {'.', ','}) {
            const double back = parseStrictNumber(numberToText(value, sep), sep);
            EXPECT_NEAR(back, value, std::fabs(value) * 1e-14) << numberToText(value, sep);
        }
    }
}

// Whole numbers of 1E+15 and more are written as digits alone; both parses
// read them back to within the fifteenth digit, under either separator.
TEST(NumberToText, WholeNumbersFromOneE15ReadBack) {
    const double largest = std::numeric_limits<double>::max();
    for (double value : {1e15, 1.8e15, -9007199254740993.0, 4.5e15 + 1, 1e20, 1.2345678901234567e22, -7.7e99,
                         std::ldexp(1.0, 1023), std::nextafter(largest, 0.0), largest, -largest}) {
        for (char sep : {'.', ','}) {
            const std::string text = numberToText(value, sep);
            EXPECT_EQ(text.find_first_not_of("-0123456789"), std::string::npos) << text;
            for (double back : {parseStrictNumber(text, sep), parseLeadingNumber(text)})
                EXPECT_NEAR(back, value, std::fabs(value) * 5e-15) << text;
        }
    }
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const struct {
        double in, out;
    } rows[] = {{0.5, 0},   {1.5, 2}, {2.5, 2}, {-0.5, -0},         {-1.5, -2},
                {-2.5, -2}, {2.4, 2}, {2.6, 3}, {-33455.5, -33456}, {-33456.5, -33456}};
    for (const auto& row : rows) EXPECT_EQ(roundHalfEven(row.in), row.out) << row.in;
}

TEST(Int16Conversion, ChecksTheRange) {
    EXPECT_EQ(toInt16Checked(32767.4), 32767);
    EXPECT_EQ(toInt16Checked(-32768.5), -32768);  // half to even stays in range
    EXPECT_THROW(toInt16Checked(32767.5), OverflowError);
    EXPECT_THROW(toInt16Checked(-32769), OverflowError);
    EXPECT_THROW(toInt16Checked(std::numeric_limits<double>::quiet_NaN()), OverflowError);
    EXPECT_EQ(parseStrictInt16(" 2 ", ','), 2);
    EXPECT_THROW(parseStrictInt16("x", '.'), TypeMismatchError);
    EXPECT_THROW(parseStrictInt16("40000", '.'), OverflowError);
}

}  // namespace
}  // namespace sextrix
