#include "chart.h"

#include <exception>
#include <vector>

#include "box_numbers.h"
#include "chart/chart_items.h"
#include "chart/deep_sky_outlines.h"
#include "chart/match_crosses.h"
#include "chart/solution_chart.h"
#include "geometry/centre.h"
#include "geometry/plate.h"

namespace sextrix {
namespace {

void drawChart(App& app) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    const SkyMap plate = skyMapOf(ws);
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
    const std::vector<bool> starsSkipped = placeStars(form.star, plate, ws.catX, ws.catY, n, half);

    if (ws.solved == kTrue && form.CheckAster.value == kTicked)
        chartAsteroids(form.aster, form.aster_lbl, {ws.astX, ws.astY, ws.astNames, ws.astCount}, plate, half,
                       app.ctx.decimalSeparator, app.platform.text);

    PlaceCentre(app);

    // A candidate of the search follows the first box, the accepted solution the second.
    const bool deepSky = (ws.solved == kFalse && form.CheckDeepObj1.value == kTicked) ||
                         (ws.solved == kTrue && form.CheckDeepObj2.value == kTicked);
    if (deepSky) {
        // The outlines turn with the field.
        if (const auto rotation = fieldRotationDeg(plate, ws.catX[1], ws.catY[1])) ws.rotationDeg = *rotation;
        const DeepSkyMarks marks{ws.deepX,     ws.deepY,     ws.deepSize1, ws.deepSize2,  ws.deepPa,
                                 ws.deepNames, ws.deepCount, ws.corrAsd,   ws.rotationDeg};
        chartDeepSky(form.Picture1, form.deepobj_lbl, marks, plate, app.ctx.decimalSeparator, app.platform.text);
    }

    showItems(form.star, n, starsSkipped);
}

// A segment item: left/top is the first end, width/height the offset to the second.
void placeSegment(OverlayItem& item, const CrossSegment& s) {
    item.left = s.x1;
    item.top = s.y1;
    item.width = s.x2 - s.x1;
    item.height = s.y2 - s.y1;
    item.visible = true;
}

}  // namespace

ReadoutStar catalogueReadout(const WorkingState& ws, int i) {
    return {ws.catIds[i], ws.catMagR[i], ws.catMagB[i], ws.catX[i] / ws.corrAsd, ws.catY[i] / ws.corrDec};
}

SkyMap skyMapOf(const WorkingState& ws) {
    if (!ws.refinement.solution) return ws.plate;
    return SkyMap(ws.plate, *ws.refinement.solution, ws.corrAsd, ws.corrDec);
}

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

void mapcroix(App& app, Int16 i1, Int16 i2, Int16 i3, Int16 i4, Int16 i5) {
    drawMatchCrosses(app.form1.Picture1, app.form1.star, {i1, i2, i3, i4, i5});
}

TypedCentre typedCentre(const Form1Model& form) {
    TypedCentre typed;
    for (int k = 0; k < 3; ++k) {
        typed.ra[k] = form.txt_ra[k].text;
        typed.dec[k] = form.txt_dec[k].text;
    }
    typed.south = form.txt_dec_sign_show[0].caption == "-";
    typed.epochText = form.txt_epoch.text;
    return typed;
}

StepCentre CentreJ2000(App& app) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    ws.decSign = form.txt_dec_sign_show[0].caption == "-" ? "-1" : "1";
    // Each field is checked first so that a failure names its box.
    const char separator = app.ctx.decimalSeparator;
    const LanguageTables& lang = app.ctx.lang;
    for (int k = 0; k < 3; ++k) strictBoxNumber(app, form.txt_ra[k].text, boxName(lang, 26, "RA:", k + 1, 3));
    for (int k = 0; k < 3; ++k) strictBoxNumber(app, form.txt_dec[k].text, boxName(lang, 27, "Dec:", k + 1, 3));
    leadingBoxNumber(app, form.txt_epoch.text, boxName(lang, 28, "Epoch:"));
    // Then the values' ranges, so that no step runs on an impossible centre.
    const TypedCentre typed = typedCentre(form);
    if (const auto fault = centreFault(typed, separator)) {
        switch (fault->part) {
            case CentrePart::Ra:
                throw outOfRange(lang, boxName(lang, 26, "RA:"), typed.ra[0] + " " + typed.ra[1] + " " + typed.ra[2]);
            case CentrePart::Dec:
                throw outOfRange(lang, boxName(lang, 27, "Dec:"),
                                 typed.dec[0] + " " + typed.dec[1] + " " + typed.dec[2]);
            case CentrePart::Epoch: throw outOfRange(lang, boxName(lang, 28, "Epoch:"), typed.epochText);
        }
    }
    const CentreJ2000Result centre = centreJ2000(typed, 1, 1, separator);
    app.ctx.precessDeltaRa = centre.toJ2000.ra;
    app.ctx.precessDeltaDec = centre.toJ2000.dec;
    ws.centreRa = centre.X * ws.corrAsd;
    ws.centreDec = centre.Y * ws.corrDec;
    return {centre.X, centre.Y};
}

void PlaceCentre(App& app) {
    WorkingState& ws = app.ws();
    const PictureSurface& picture = app.form1.Picture1;
    const auto cross = centreCross(skyMapOf(ws), ws.centreRa, ws.centreDec, picture.width(), picture.height());
    if (!cross) return;
    for (int k = 0; k < 4; ++k) placeSegment(app.form1.centerpic[k], cross->segments[k]);
    if (!cross->onImage) ws.centreWarn = kTrue;
}

}  // namespace sextrix
