#include "picture_events.h"

#include "calculation.h"
#include "details/object_reports.h"
#include "geometry/plate.h"
#include "identify/star_picking.h"
#include "state/handler.h"

namespace sextrix {

namespace {

bool picking(const WorkingState& ws) { return ws.mode == "select" || ws.mode == "etalo"; }

void pick(App& app) {
    WorkingState& ws = app.ws();
    // The wizard's run goes on by itself once the fifth star is picked.
    if (doselect(app) && ws.WizardStatus == 1) {
        startCalcul_Click(app);
        ws.WizardStatus = 0;
    }
}

void reportPoint(App& app) {
    const WorkingState& ws = app.ws();
    const ScaledPoint sky = pixelToSky(plateOf(ws), ws.clickX, ws.clickY);
    ShowPointInfo(app, sky.x / ws.corrAsd, sky.y / ws.corrDec, app.form1.txt_epoch.text);
}

// Super calibration: the star filled in by hovering is kept with the next
// click marker. Markers run 1..5; a click beyond them changes nothing.
void keepArmedStar(Form1Model& form) {
    WorkingState& ws = form.ws;
    const int marker = ws.pickCount + 1;
    if (marker < 1 || marker > kClickMarkers) return;
    ws.etaloArmed = 0;
    ws.pickCount = static_cast<Int16>(marker);
    OverlayItem& item = form.clicpic[marker];
    item.left = ws.clickX - kClickMarkerHalf;
    item.top = ws.clickY - kClickMarkerHalf;
    item.visible = true;
}

}  // namespace

void Picture1_Click(App& app) {
    runHandler(app.platform.dialogs, [&] {
        WorkingState& ws = app.ws();
        if (picking(ws))
            pick(app);
        else if (ws.mode == "coor")
            reportPoint(app);
        else if (ws.etaloArmed == 1)
            keepArmedStar(app.form1);
    });
}

void zoom_Click(App& app) {
    runHandler(app.platform.dialogs, [&] {
        if (picking(app.ws())) pick(app);
    });
}

}  // namespace sextrix
