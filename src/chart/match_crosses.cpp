#include "match_crosses.h"

#include <stdexcept>

#include "chart_colours.h"

namespace sextrix {
namespace {

constexpr float kCrossHalfWidth = 10;

}  // namespace

void mapcroix(App& app, Int16 i1, Int16 i2, Int16 i3, Int16 i4, Int16 i5) {
    Form1Model& form = app.form1;
    const Int16 matched[] = {i1, i2, i3, i4, i5};
    // Check every index before drawing so that a bad one leaves no half-drawn set.
    for (Int16 k : matched)
        if (k < 0 || k > kStarMarkers) throw std::out_of_range("Subscript out of range");

    PictureSurface& picture = form.Picture1;
    picture.penColour = kMatchCrossColour;
    const float half = static_cast<float>(form.star[0].height) / 2;
    for (Int16 k : matched) {
        // The centre of the marker where the last chart put it.
        const float cx = static_cast<float>(form.star[k].left) + half;
        const float cy = static_cast<float>(form.star[k].top) + half;
        picture.drawSegment(cx - kCrossHalfWidth, cy, cx + kCrossHalfWidth, cy);
        picture.drawSegment(cx, cy - kCrossHalfWidth, cx, cy + kCrossHalfWidth);
    }
    // The deep-sky outlines of the next chart are drawn in the pen left here.
    picture.penColour = kDeepSkyColour;
}

}  // namespace sextrix
