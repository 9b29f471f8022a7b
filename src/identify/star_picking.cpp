#include "star_picking.h"

#include <cstdint>
#include <limits>

#include "catalog/image_loading.h"
#include "lang/suggestion.h"
#include "state/handler.h"
#include "state/text_number.h"

namespace sextrix {

namespace {

constexpr int kBoxHalf = 3;  // the box is 7 x 7

std::int64_t boxSum(const PictureSurface& picture, int cx, int cy) {
    std::int64_t sum = 0;
    for (int v = -kBoxHalf; v <= kBoxHalf; ++v)
        for (int u = -kBoxHalf; u <= kBoxHalf; ++u) sum += picture.pixel(cx + u, cy + v);
    return sum;
}

}  // namespace

PixelPoint brightestBox(const PictureSurface& picture, PixelPoint click) {
    PixelPoint best = click;
    std::int64_t bestSum = 0;
    for (int cx = click.x - kPickReach; cx <= click.x + kPickReach; ++cx) {
        for (int cy = click.y - kPickReach; cy <= click.y + kPickReach; ++cy) {
            const std::int64_t sum = boxSum(picture, cx, cy);
            if (sum > bestSum) {
                bestSum = sum;
                best = {cx, cy};
            }
        }
    }
    return best;
}

bool refinablePosition(PixelPoint click) {
    constexpr int low = std::numeric_limits<Int16>::min() + kPickReach;
    constexpr int high = std::numeric_limits<Int16>::max() - kPickReach;
    return click.x >= low && click.x <= high && click.y >= low && click.y <= high;
}

void SelectStar_Click(App& app) {
    runHandler(app.platform.dialogs, [&] {
        Loadimg_Click(app);
        ShowSuggestion(app, "selectstar", 1, "0", "0");
        Form1Model& form = app.form1;
        if (form.ws.imageLoaded != kFalse) {
            form.ws.mode = "select";
            form.ws.pickCount = 0;
            for (int k = 1; k <= kClickMarkers; ++k) form.clicpic[k].visible = false;
            form.zoom.visible = true;
        } else {
            ShowSuggestion(app, "selectstar", 2, "0", "0");
        }
    });
}

bool doselect(App& app) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    const PixelPoint click{ws.clickX, ws.clickY};
    // Calibration click k overwrites pick k.
    const int previous = ws.mode == "etalo" ? ws.etaloStep - 1 : ws.pickCount;
    const int pick = previous + 1;
    if (!refinablePosition(click) || pick < 1 || pick > kClickMarkers) return false;

    // The step test does not look at the mode: an unfinished calibration
    // left at step 3 ends a later picking after its first click.
    if (ws.etaloStep == 3) ws.mode = "done";

    const PixelPoint refined = brightestBox(form.Picture1, click);
    ws.clickX = static_cast<Int16>(refined.x);
    ws.clickY = static_cast<Int16>(refined.y);
    ws.pickCount = static_cast<Int16>(pick);
    ws.pickX[pick] = refined.x;
    ws.pickY[pick] = refined.y;
    form.Etalo[0].text = intToText(refined.x);
    form.Etalo[1].text = intToText(refined.y);

    OverlayItem& marker = form.clicpic[pick];
    marker.left = refined.x - kClickMarkerHalf;
    marker.top = refined.y - kClickMarkerHalf;
    marker.visible = true;

    if (pick != kClickMarkers) return false;
    form.zoom.visible = false;
    ws.mode = "0";
    ws.starsPicked = kTrue;
    return true;
}

}  // namespace sextrix
