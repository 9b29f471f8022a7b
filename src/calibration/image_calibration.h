#pragma once
// Scale factors of the instrument from three stars of one image: the pixel
// position and the catalogue position of each.
//
// The plate model takes sky positions scaled as X = RA * corrAsd and
// Y = Dec * corrDec (degrees, no cos(dec) factor) to be the pixel plane up
// to a rotation, so a pixel separation squared equals
//     dRA^2 * corrAsd^2 + dDec^2 * corrDec^2.
// The sides 1-2 and 1-3 give two such equations in corrAsd^2 and corrDec^2,
// solved by Cramer's rule.
//
// Conditioning. Only the squares of the coordinate differences enter, so the
// system degenerates not only when the stars lie on one line but also when,
// seen from star 1, stars 2 and 3 lie symmetrically about the north-south or
// east-west direction (a right isosceles triangle turned 45 degrees is one).
// With each equation divided by its own dRA^2 + dDec^2, the matrix rows are
// (a, 1 - a) and (b, 1 - b), a = cos^2 of the direction of the side in the
// (RA, Dec) plane, and its infinity-norm condition number is
//     kappa = max(a + b, 2 - a - b) / |a - b|   (1 for sides along the axes).
// kMaxCondition = 10. Picks are whole pixels: over sides of a few hundred
// pixels the squared separations carry about 0.3 % of error, the square
// roots halve it, so kappa <= 10 keeps the worst case of a factor near 2 %
// and the usual case well under 1 %, about what the identification's
// tolerance of a few pixels across the field allows. Past that the result
// would only look like a measurement.
//
// The same bound applies to the picked pixels: when the sine of the angle
// at star 1 between the sides 1-2 and 1-3 is below 1 / kMaxCondition the
// stars lie nearly on one line on the image and cannot match a well-shaped
// triangle on the sky either (the typed coordinates belong to other stars).
#include <array>
#include <optional>

namespace sextrix {

// Refusals are reported as causes; the caller words them.
enum class CalibrationRefusal {
    None,
    CollinearOnImage,     // also two picks on the same pixel
    IllConditionedOnSky,  // nearly on one line, or placed symmetrically, on the sky
    Inconsistent,         // the solution needs a negative square: positions and coordinates disagree
};

constexpr double kMaxCondition = 10;

struct CalibrationStar {
    double x, y;     // pixels
    double ra, dec;  // degrees
};

struct ImageCalibration {
    CalibrationRefusal refusal = CalibrationRefusal::None;
    double pixDist12 = 0, pixDist13 = 0;  // squared pixels
    std::array<double, 4> coef{};         // (dRA12)^2, (dDec12)^2, (dRA13)^2, (dDec13)^2, squared degrees
    double condition = 0;                 // kappa above; infinite for a singular system
    double corrAsd = 0, corrDec = 0;      // pixels per degree, when not refused
};

// calibrateFromStars: the two scale factors from stars 1, 2, 3.
//
// Returns the squared separations and coefficients in every case, the
// factors when refusal is None. Differences of right ascension are plain
// differences of the angles, as the plate model takes them.
ImageCalibration calibrateFromStars(const std::array<CalibrationStar, 3>& stars);

// The scale of the image on the sky, arcseconds per pixel, along right
// ascension (at declination decDeg) and along declination.
struct ImageScale {
    double raArcsecPerPixel, decArcsecPerPixel;
};
ImageScale imageScale(double corrAsd, double corrDec, double decDeg);

// The field an image of width x height pixels covers, arcminutes, taking
// its x axis along right ascension and its y axis along declination.
struct FieldOfView {
    double widthArcmin, heightArcmin;
};
FieldOfView fieldOfView(const ImageScale& scale, int width, int height);

}  // namespace sextrix
