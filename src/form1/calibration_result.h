#pragma once
// What a calibration writes and shows: the two scale boxes, and the box that
// tells the user the new factors and the scale they mean on the sky.
#include <string>

#include "model/app.h"

namespace sextrix {

// Both scale boxes, rounded to 0.01 pixel per degree (a few parts in a
// million; no calibration is that good). The boxes hold numbers with a point
// whatever the locale, and so does the result text.
void writeScaleFactors(App& app, double corrAsd, double corrDec);

// "<first words>: CX = … and CY = …" from the two boxes, then the scale in
// arcseconds per pixel along RA (at declination decDeg) and along Dec.
std::string calibrationResultText(const App& app, double decDeg);

}  // namespace sextrix
