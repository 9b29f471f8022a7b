#include "solution_chart.h"

#include "chart_items.h"
#include "chart_position.h"
#include "state/text_number.h"

namespace sextrix {

std::vector<bool> placeStars(std::vector<OverlayItem>& star, const SkyMap& map, const std::vector<double>& catX,
                             const std::vector<double>& catY, int n, float half) {
    std::vector<bool> skipped = noneSkipped(n);
    for (int i = 1; i <= n; ++i) {
        OverlayItem& marker = star.at(i);
        const auto corner = markerCorner(map, catX.at(i), catY.at(i), half);
        if (!corner) {
            marker.visible = false;
            skipped[i] = true;
            continue;
        }
        marker.left = corner->x;
        marker.top = corner->y;
    }
    return skipped;
}

void chartAsteroids(std::vector<OverlayItem>& aster, std::vector<OverlayItem>& aster_lbl, const AsteroidMarks& marks,
                    const SkyMap& map, float half, char decimalSeparator, TextMeasure& measure) {
    const int count = marks.count;
    std::vector<bool> skipped = noneSkipped(count);
    for (int i = 1; i <= count; ++i) {
        OverlayItem& marker = aster.at(i);
        OverlayItem& label = aster_lbl.at(i);
        const double X = parseStrictNumber(marks.x[i], decimalSeparator);
        const double Y = parseStrictNumber(marks.y[i], decimalSeparator);
        const auto corner = markerCorner(map, X, Y, half);
        if (!corner) {
            marker.visible = label.visible = false;
            skipped[i] = true;
            continue;
        }
        marker.left = corner->x;
        marker.top = corner->y;
        label.left = corner->x + 2 * half + 2;
        label.top = corner->y - 2;
        setLabelText(label, marks.names[i], measure);
    }
    showItems(aster, count, skipped);
    showItems(aster_lbl, count, skipped);
}

}  // namespace sextrix
