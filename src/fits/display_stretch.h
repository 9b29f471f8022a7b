#pragma once
// How a FITS picture's raw values become the grey levels shown (and picked,
// and magnified): a black and a white level and a curve between them. The
// raw values stay as they are for detection.
#include <vector>

#include "state/luminance_plane.h"
#include "state/picture_surface.h"

namespace sextrix {

// The order of the "Stretch" menu's items.
enum class Stretch {
    Automatic,    // black just under the sky, white at a high percentile, sky dark grey
    Strong,       // black closer to the sky, which shows mid-grey: the faintest stars show
    Linear,       // black at the minimum, white at the maximum, straight line
    Logarithmic,  // minimum to maximum on a logarithmic curve
};
constexpr int kStretchCount = 4;

struct StretchLevels {
    double black = 0;
    double white = 1;  // always above black
    // The asinh curves' a in asinh(a t) / asinh(a), t from 0 at black to 1
    // at white: chosen so that the sky's median shows at a set grey,
    // whatever the image's dynamic range.
    double softening = 1;
};

// The levels a stretch puts on these values. The sky statistics (median,
// MAD) come from at most about a million evenly spread pixels.
StretchLevels stretchLevels(const LuminanceImage& image, Stretch stretch);

// Grey 0..255 of a value: 0 at or below black, 255 at or above white,
// never decreasing between them.
int stretchedGrey(double value, const StretchLevels& levels, Stretch stretch);

// The picture of the values: grey packed colours, one per pixel.
std::vector<PackedColour> stretchToGrey(const LuminanceImage& image, Stretch stretch);

}  // namespace sextrix
