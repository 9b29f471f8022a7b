#include "centre.h"

#include <cmath>
#include <numbers>

#include "angles.h"
#include "plate.h"
#include "precession.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

// A segment item: left/top is the first end, width/height the offset to the second.
void placeSegment(OverlayItem& item, double x1, double y1, double x2, double y2) {
    item.left = x1;
    item.top = y1;
    item.width = x2 - x1;
    item.height = y2 - y1;
    item.visible = true;
}

}  // namespace

void CentreJ2000(App& app) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    const char sep = app.ctx.decimalSeparator;

    ws.decSign = form.txt_dec_sign_show[0].caption == "-" ? "-1" : "1";
    // All six fields are read before anything is stored, so that a bad one
    // leaves the earlier centre whole rather than half in degrees.
    auto field = [sep](const TextBox& box) { return parseStrictNumber(box.text, sep); };
    const double ra = raToDegrees(field(form.txt_ra[0]), field(form.txt_ra[1]), field(form.txt_ra[2]));
    const double dec = decToDegrees(parseStrictNumber(ws.decSign, sep), field(form.txt_dec[0]),
                                    field(form.txt_dec[1]), field(form.txt_dec[2]));
    const double epoch = parseLeadingNumber(form.txt_epoch.text);

    PrecessToJ2000(app.ctx, epoch, ra, dec);
    ws.centreRa = (app.ctx.precessDeltaRa + ra) * ws.corrAsd;
    ws.centreDec = (app.ctx.precessDeltaDec + dec) * ws.corrDec;
}

void PlaceCentre(App& app) {
    CentreJ2000(app);
    WorkingState& ws = app.ws();
    const auto centre = skyToPixel(plateOf(ws), ws.centreRa, ws.centreDec);
    if (!centre) return;

    const double px = centre->x, py = centre->y;
    auto& cross = app.form1.centerpic;
    placeSegment(cross[0], px, py - 8, px, py - 2);
    placeSegment(cross[1], px, py + 2, px, py + 8);
    placeSegment(cross[2], px - 8, py, px - 2, py);
    placeSegment(cross[3], px + 2, py, px + 8, py);

    const PictureSurface& picture = app.form1.Picture1;
    const bool inside = px > 0 && px < picture.width() && py > 0 && py < picture.height();
    if (!inside) ws.centreWarn = kTrue;
}

void CalculAngle(WorkingState& ws) {
    const Plate plate = plateOf(ws);
    const auto star = skyToPixel(plate, ws.catX[1], ws.catY[1]);
    const auto further = skyToPixel(plate, ws.catX[1] + 1000, ws.catY[1]);
    if (!star || !further) return;

    constexpr double pi = std::numbers::pi;
    double angle = std::atan2(star->x - further->x, star->y - further->y);
    if (std::isnan(angle)) return;
    if (angle > pi / 2) angle -= pi;
    if (angle <= -pi / 2) angle += pi;
    ws.rotationDeg = angle / 3.14159 * 180;
}

}  // namespace sextrix
