#pragma once
// Scale factors of the instrument from three stars of one image: the pixel
// position and the catalogue position of each.
//
// The plate model takes sky positions scaled as X = RA * corrAsd and
// Y = Dec * corrDec (degrees, no cos(dec) factor) to be the pixel plane up
// to a rotation, so a pixel separation squared equals
//     dRA^2 * corrAsd^2 + dDec^2 * corrDec^2,
// dRA taken the short way round (within +-180 degrees), so that stars on
// either side of 0 h are as near as they look. The two sides at one star
// give two such equations in corrAsd^2 and corrDec^2, solved by Cramer's
// rule.
//
// Conditioning. Only the squares of the coordinate differences enter, so a
// vertex's system degenerates not only when the stars lie on one line but
// also when, seen from that vertex, the two others lie symmetrically about
// the north-south or east-west direction (from the right angle of a right
// isosceles triangle turned 45 degrees, for one). With each equation divided
// by its own dRA^2 + dDec^2, the matrix rows are (a, 1 - a) and (b, 1 - b),
// a = cos^2 of the direction of the side in the (RA, Dec) plane, and its
// infinity-norm condition number is
//     kappa = max(a + b, 2 - a - b) / |a - b|   (1 for sides along the axes).
// Each of the three vertices is tried and the one with the smallest kappa
// is used, so the order in which the stars are given does not matter. A
// symmetric shape is bad from one vertex only; a triangle bad from all
// three is in practice one nearly on one line on the sky.
// kMaxCondition = 10: over sides of a few hundred pixels the squared
// separations carry about 0.3 % of error, the square roots halve it, so
// kappa <= 10 keeps the worst case of a factor near 2 % and the usual case
// well under 1 %. Past that the result would only look like a measurement.
//
// The same bound applies to the picked pixels: when the sine of every angle
// of the triangle is below 1 / kMaxCondition the stars lie nearly on one line
// on the image and cannot match a well-shaped triangle on the sky either
// (the typed coordinates belong to other stars).
//
// Separation. A pick, clicked or read from a marker, is taken to lie within
// about a pixel of the star's centre, so the separation of two picks carries
// about a pixel of error along their line. A factor is proportional to the
// separations: at best (sides along the axes) its relative error is that
// pixel over the separation, so 1 % needs kMinSeparation = 100 pixels between
// any two of the stars; a worse shape only adds to it.
#include <array>
#include <span>

namespace sextrix {

// Refusals are reported as causes; the caller words them.
enum class CalibrationRefusal {
    None,
    SameCoordinates,      // two stars given the same sky position
    TooClose,             // two picks nearer than kMinSeparation pixels
    CollinearOnImage,     // the picks lie nearly on one line
    IllConditionedOnSky,  // bad from every vertex: nearly on one line on the sky
    Inconsistent,         // the solution needs a negative square: positions and coordinates disagree
};

constexpr double kMaxCondition = 10;
constexpr double kMinSeparation = 100;  // pixels

struct CalibrationStar {
    double x, y;     // pixels
    double ra, dec;  // degrees
};

struct ImageCalibration {
    CalibrationRefusal refusal = CalibrationRefusal::None;
    int first = 0, second = 0;        // the stars (1..3) a refusal of a pair names
    double condition = 0;             // kappa above at the vertex used; infinite for a singular system
    double corrAsd = 0, corrDec = 0;  // pixels per degree, when not refused
};

// The first pair of the stars given (in order of the later star) that cannot
// take part in a calibration: SameCoordinates or TooClose, with the two stars
// named; None when every pair can. For checking each star as it is recorded.
ImageCalibration pairRefusal(std::span<const CalibrationStar> stars);

// calibrateFromStars: the two scale factors from three stars, whatever their
// order. Refuses a pair first, as pairRefusal, then the triangle.
ImageCalibration calibrateFromStars(const std::array<CalibrationStar, 3>& stars);

// The calibration by image as steps, holding the stars recorded so far:
//
//   ThreeStarCalibration calibration;
//   calibration.start();                      star 1 is next
//   calibration.record(first)   -> None: star 2 is next
//   calibration.record(second)  -> None, or the pair it cannot make with
//                                  star 1 (pairRefusal)
//   calibration.record(third)   -> the factors (calibrateFromStars), or a
//                                  refusal with its reason
//   calibration.finished()
//
// A refused star leaves the calibration where it was: the same star is next
// and can be given again. Each star is checked against the earlier ones as
// it comes, so a bad pick is named at once rather than after the third.
class ThreeStarCalibration {
public:
    // Star 1 is next; the stars recorded before are forgotten.
    void start() { next_ = 1; }

    // The star record takes next: 1..3 while it runs, 4 once the factors are
    // found, 0 before start.
    int nextStar() const { return next_; }
    bool finished() const { return next_ > 3; }

    // Records star nextStar(). Positions are the picture's pixels as the old
    // program held them, 16-bit whole numbers.
    //
    // Returned:
    //   a refusal, naming the pair for a pair refusal; otherwise, after star
    //   3, the factors (with the condition number), and nothing for stars 1
    //   and 2.
    //
    // Notes:
    // 1. Before start the star is not kept and star 1 becomes next, as the
    //    panel's button has always done.
    // 2. Star 3's pixel differences from star 1 are 16-bit numbers too: one
    //    beyond them throws OverflowError, and star 3 stays next.
    // 3. Throws std::logic_error once finished.
    ImageCalibration record(const CalibrationStar& star);

    // The recorded stars 1..nextStar() - 1, in order.
    std::span<const CalibrationStar> stars() const { return {stars_.data(), recorded()}; }

    // The mean declination of the three stars, degrees, once finished: the
    // declination the result's scale along right ascension is given at.
    double meanDec() const;

private:
    std::size_t recorded() const { return next_ > 1 ? static_cast<std::size_t>(next_ - 1) : 0; }

    int next_ = 0;
    std::array<CalibrationStar, 3> stars_{};
};

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
