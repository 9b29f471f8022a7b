#include "picking.h"

#include "identify/star_picking.h"
#include "image_file.h"
#include "reduction.h"
#include "run_handler.h"
#include "state/text_number.h"
#include "suggestions.h"

namespace sextrix {

void SelectStar_Click(App& app) {
    runHandler(app, [&] {
        Loadimg_Click(app);
        ShowSuggestion(app, "selectstar", 1, "0", "0");
        Form1Model& form = app.form1;
        if (form.ws.imageLoaded != kFalse) {
            form.ws.mode = ClickMode::Select;
            // A new set: picks of an earlier set must not fill in for missing ones.
            forgetPicks(form);
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
    const int calibrationStar = ws.imageCalibration.nextStar();
    const int previous = ws.mode == ClickMode::Etalo ? calibrationStar - 1 : ws.pickCount;
    const int pick = previous + 1;
    if (!refinablePosition(click) || pick < 1 || pick > kClickMarkers) return false;

    // The step test does not look at the mode: an unfinished calibration
    // left at its third star ends a later picking after its first click.
    if (calibrationStar == 3) ws.mode = ClickMode::EtaloDone;

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
    ws.mode = ClickMode::Picked;
    ws.starsPicked = kTrue;
    return true;
}

}  // namespace sextrix
