#include "deep_sky_outlines.h"

#include <stdexcept>
#include <vector>

#include "chart_colours.h"
#include "chart_items.h"
#include "chart_position.h"
#include "drawing_primitives.h"
#include "state/text_number.h"

namespace sextrix {

void chartDeepSky(PictureSurface& picture, std::vector<OverlayItem>& labels, const DeepSkyMarks& marks,
                  const SkyMap& map, char decimalSeparator, TextMeasure& measure) {
    picture.clearDrawings();
    picture.penColour = kDeepSkyColour;

    const EllipseTracer outline(0, 360, 1);
    const int count = marks.count;
    std::vector<bool> skipped = noneSkipped(count);
    for (int i = 1; i <= count; ++i) {
        OverlayItem& label = labels.at(i);
        const auto centre = chartPixel(map, marks.x[i], marks.y[i]);
        if (!centre) {
            label.visible = false;
            skipped[i] = true;
            continue;
        }
        // The centre passes through the locale's number text and back through
        // the lenient parse, so under a decimal comma only its whole part stays.
        const char separator = decimalSeparator;
        const double cx = parseLeadingNumber(numberToText(centre->x, separator));
        const double cy = parseLeadingNumber(numberToText(centre->y, separator));

        const double size1 = marks.size1[i];  // arcminutes, along the position angle
        const double size2 = marks.size2[i];
        const float radius = toSingleChecked(roundHalfEven(size1 / 2 / 60 * marks.corrAsd));
        if (size1 == 0) throw std::domain_error("Division by zero");
        const float yScale = toSingleChecked(size2 / size1);
        // Position angle counts from north through east; the outline's angle
        // counts from the picture's x axis towards its y axis.
        const float rotation = toSingleChecked(-marks.pa[i] - marks.rotationDeg + 90);
        const Int16 lowest = outline.draw(picture, toSingleChecked(cx), toSingleChecked(cy), radius, rotation, yScale);

        setLabelText(label, marks.names[i], measure);
        label.top = toInt16Checked(lowest + 4.0);
        label.left = static_cast<float>(cx - label.width / 2);
    }
    showItems(labels, count, skipped);
}

}  // namespace sextrix
