#pragma once
// How many digits a reported value carries. The MPC asks that the digits
// of a measurement agree with its uncertainty: about one and a half
// significant figures (a factor of about 30) beyond the accuracy, so that a
// position good to 0.03-0.3" is written to a millionth of a degree, and an
// uncertainty itself to two or three significant figures; it may reject
// gratuitous digits. The last digit written therefore steps between a
// tenth and a hundredth of the uncertainty, and no finer than the format
// holds; coarser digits than the uncertainty justifies are left out.
#include <string>

namespace sextrix {

// The decimals, from `fewest` to `most`, for a value known to `sigma` when
// a step of the last digit at no decimals spans `wholeStep` of the same
// measure (15·cos δ arcseconds for a second of right ascension).
int justifiedDecimals(double sigma, double wholeStep, int fewest, int most);

// The value rounded to `decimals` places with a point, "-" only when the
// rounded value is below zero ("-0.004" to two places is "0.00").
std::string decimalText(double value, int decimals);

// An uncertainty to three significant figures ("0.312", "1.50", "12.3"),
// at most `mostDecimals` places.
std::string uncertaintyText(double sigma, int mostDecimals);

}  // namespace sextrix
