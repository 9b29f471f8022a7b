#include "picture_events.h"

#include <exception>
#include <stdexcept>

#include "calculation.h"
#include "chart.h"
#include "chart/pointer_readout.h"
#include "chart/zoom.h"
#include "details/object_picking.h"
#include "identify/star_picking.h"
#include "image_calibration.h"
#include "info_panel.h"
#include "measuring.h"
#include "picking.h"
#include "run_handler.h"
#include "state/text_number.h"

namespace sextrix {

namespace {

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
    const ScaledPoint sky = skyMapOf(ws).pixelToSky(ws.clickX, ws.clickY);
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

// Object arrays run 0..500; a label index beyond them is a failure of the
// handler, not a read past the end.
std::size_t objectSlot(Int16 index) {
    if (index < 0 || index > kObjectCapacity) throw std::out_of_range("Subscript out of range");
    return static_cast<std::size_t>(index);
}

// Asteroid positions are kept as text, in scaled units.
void showAsteroid(App& app, std::size_t i) {
    const WorkingState& ws = app.ws();
    const double x = parseStrictNumber(ws.astX[i], app.ctx.decimalSeparator);
    const double y = parseStrictNumber(ws.astY[i], app.ctx.decimalSeparator);
    ShowAsteroidInfo(app, ws.astNumbers[i], ws.astNames[i], x / ws.corrAsd, y / ws.corrDec, ws.astText48[i],
                     ws.astText77[i], ws.astText70[i]);
}

}  // namespace

void Picture1_Click(App& app) {
    runHandler(app, [&] {
        WorkingState& ws = app.ws();
        if (picksStars(ws.mode))
            pick(app);
        else if (ws.mode == ClickMode::Coor)
            reportPoint(app);
        else if (ws.mode == ClickMode::Measure)
            measureClick(app);
        else if (ws.mode == ClickMode::SuperEtalo && ws.etaloArmed == 1)
            keepArmedStar(app.form1);
    });
}

void zoom_Click(App& app) {
    runHandler(app, [&] {
        if (picksStars(app.ws().mode)) pick(app);
    });
}

void Picture1_DblClick(App& app) {
    runHandler(app, [&] {
        const WorkingState& ws = app.ws();
        if (ws.mode != ClickMode::Coor && ws.fullMapState != "done") return;
        if (const int i = firstMarkerHit(app.form1.aster, ws.astCount, ws.clickX, ws.clickY)) {
            showAsteroid(app, static_cast<std::size_t>(i));
            return;
        }
        if (const int i = firstMarkerHit(app.form1.star, ws.catTotal, ws.clickX, ws.clickY)) {
            const auto s = static_cast<std::size_t>(i);
            ShowStarInfo(app, ws.catIds[s], ws.catX[s] / ws.corrAsd, ws.catY[s] / ws.corrDec, ws.catMagR[s],
                         ws.catMagB[s], app.form1.txt_epoch.text);
        }
    });
}

void aster_lbl_Click(App& app, Int16 index) {
    runHandler(app, [&] { showAsteroid(app, objectSlot(index)); });
}

void deepobj_lbl_Click(App& app, Int16 index) {
    runHandler(app, [&] {
        const std::size_t i = objectSlot(index);
        WorkingState& ws = app.ws();
        ShowDeepSkyInfo(app, ws.deepNames[i], ws.deepX[i] / ws.corrAsd, ws.deepY[i] / ws.corrDec, ws.deepText51[i],
                        ws.deepSize1[i], ws.deepSize2[i], ws.deepText79[i], ws.deepPgc[i], ws.deepText97[i],
                        ws.deepText113[i]);
    });
}

void Picture1_MouseMove(App& app, double x, double y) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    const auto px = pointerPixel(x);
    const auto py = pointerPixel(y);
    if (!px || !py) return;
    ws.clickX = *px;
    ws.clickY = *py;

    if (picksStars(ws.mode)) {
        dozoom(form);
        return;
    }
    if (ws.fullMapState == "done" || ws.mode == ClickMode::SuperEtalo) {
        if (const int i = readoutStar(form.star, ws.catTotal, x, y); i > 0) {
            // A pointer move has no one to report a failure to; a star whose
            // position cannot be written simply gets no readout.
            try {
                form.info.caption = readoutCaption(catalogueReadout(ws, i));
                // Only the super calibration fills its boxes: after a
                // calibration by image they hold what the user typed.
                if (ws.mode == ClickMode::SuperEtalo && ws.etaloArmed == 1) etaloHoverStar(app, i);
            } catch (const std::exception&) {
            }
        }
    }
    form.zoom.visible = false;
}

void dozoom(Form1Model& form) {
    const int x = form.ws.clickX, y = form.ws.clickY;
    form.zoom.left = x - kZoomCentre;
    form.zoom.top = y - kZoomCentre;
    sampleZoom(form.Picture1, x, y, form.zoomColours);
}

void zoom_MouseMove(App& app, double x, double y) {
    Form1Model& form = app.form1;
    const auto px = pointerPixel(form.zoom.left + x);
    const auto py = pointerPixel(form.zoom.top + y);
    if (!px || !py) return;
    form.ws.clickX = *px;
    form.ws.clickY = *py;
    dozoom(form);
}

void PicMove_MouseDown(Form1Model& form, int index) {
    if (index >= 1 && index <= 4) form.ws.scrollDirection = static_cast<Int16>(index);
}

void PicMove_MouseUp(Form1Model& form) { form.ws.scrollDirection = 0; }

}  // namespace sextrix
