#include "solution_chart.h"

#include <exception>
#include <vector>

#include "chart_items.h"
#include "chart_position.h"
#include "deep_sky_outlines.h"
#include "geometry/centre.h"
#include "geometry/plate.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr Int16 kTicked = 1;

// Moves star markers 1..n onto their catalogue positions, still hidden.
// Returns the stars left off the chart; those are hidden.
std::vector<bool> placeStars(Form1Model& form, const Plate& plate, Int16 n, float half) {
    const WorkingState& ws = form.ws;
    std::vector<bool> skipped = noneSkipped(n);
    for (int i = 1; i <= n; ++i) {
        OverlayItem& marker = form.star.at(i);
        const auto corner = markerCorner(plate, ws.catX.at(i), ws.catY.at(i), half);
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

// Asteroid markers with their designations two pixels right of and above
// the marker. Positions are held as text and must parse strictly.
void chartAsteroids(App& app, const Plate& plate, float half) {
    Form1Model& form = app.form1;
    const WorkingState& ws = form.ws;
    const Int16 count = ws.astCount;
    std::vector<bool> skipped = noneSkipped(count);
    for (int i = 1; i <= count; ++i) {
        OverlayItem& marker = form.aster.at(i);
        OverlayItem& label = form.aster_lbl.at(i);
        const double X = parseStrictNumber(ws.astX.at(i), app.ctx.decimalSeparator);
        const double Y = parseStrictNumber(ws.astY.at(i), app.ctx.decimalSeparator);
        const auto corner = markerCorner(plate, X, Y, half);
        if (!corner) {
            marker.visible = label.visible = false;
            skipped[i] = true;
            continue;
        }
        marker.left = corner->x;
        marker.top = corner->y;
        label.left = corner->x + 2 * half + 2;
        label.top = corner->y - 2;
        setLabelText(label, ws.astNames.at(i), app.platform.text);
    }
    showItems(form.aster, count, skipped);
    showItems(form.aster_lbl, count, skipped);
}

void drawChart(App& app) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    const Plate plate = plateOf(ws);
    const float half = static_cast<float>(form.star[0].height) / 2;

    Int16 n = ws.catCount;
    if (ws.fullMapState == "loading") {
        // The full map charts every star read, on a chart cleared of markers.
        n = ws.catTotal;
        hideItems(form.star);
        hideItems(form.aster);
        hideItems(form.aster_lbl);
        hideItems(form.deepobj_lbl);
    }
    const std::vector<bool> starsSkipped = placeStars(form, plate, n, half);

    if (ws.solved == kTrue && form.CheckAster.value == kTicked) chartAsteroids(app, plate, half);

    PlaceCentre(app);

    // A candidate of the search follows the first box, the accepted solution the second.
    const bool deepSky = (ws.solved == kFalse && form.CheckDeepObj1.value == kTicked) ||
                         (ws.solved == kTrue && form.CheckDeepObj2.value == kTicked);
    if (deepSky) chartDeepSky(app, plate);

    showItems(form.star, n, starsSkipped);
}

}  // namespace

void map(App& app) {
    WorkingState& ws = app.ws();
    ws.mapFailed = 0;
    try {
        drawChart(app);
        ws.fullMapState = "done";
    } catch (const std::exception&) {
        // The search skips a candidate whose chart failed; the user is not told.
        ws.mapFailed = 1;
        ws.fullMapState = "err";
    }
}

}  // namespace sextrix
