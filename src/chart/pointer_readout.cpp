#include "pointer_readout.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "geometry/angles.h"
#include "state/text_number.h"
#include "zoom.h"

namespace sextrix {

std::optional<Int16> pointerPixel(double coordinate) {
    const double rounded = roundHalfEven(coordinate);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) return std::nullopt;
    return static_cast<Int16>(rounded);
}

// Every matching marker overwrites the caption of the one before, so the
// highest index is the answer: scanning down from the top and stopping at
// the first match gives it without visiting the rest.
int readoutStar(const std::vector<OverlayItem>& star, int count, double x, double y) {
    const int last = std::min(count, static_cast<int>(star.size()) - 1);
    for (int i = last; i >= 1; --i)
        if (inReadoutWindow(star[i], x, y)) return i;
    return 0;
}

std::string readoutCaption(const WorkingState& ws, int i) {
    const double raHours = ws.catX[i] / ws.corrAsd / 360 * 24;
    const double decDegrees = ws.catY[i] / ws.corrDec;
    return ws.catIds[i] + "   MagR-B=" + ws.catMagR[i] + " " + ws.catMagB[i] + "   Ra:" +
           FormatDms(raHours, "h") + "   Dec:" + FormatDms(decDegrees, "°") + "  (J2000.0)";
}

void Picture1_MouseMove(App& app, double x, double y) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    const auto px = pointerPixel(x);
    const auto py = pointerPixel(y);
    if (!px || !py) return;
    ws.clickX = *px;
    ws.clickY = *py;

    if (ws.mode == "etalo" || ws.mode == "select") {
        dozoom(form);
        return;
    }
    if (ws.fullMapState == "done" || ws.mode == "superetalo") {
        if (const int i = readoutStar(form.star, ws.catTotal, x, y); i > 0) {
            // A pointer move has no one to report a failure to; a star whose
            // position cannot be written simply gets no readout.
            try {
                form.info.caption = readoutCaption(ws, i);
            } catch (const std::exception&) {
            }
        }
    }
    form.zoom.visible = false;
}

void PicMove_MouseDown(Form1Model& form, int index) {
    if (index >= 1 && index <= 4) form.ws.scrollDirection = static_cast<Int16>(index);
}

void PicMove_MouseUp(Form1Model& form) { form.ws.scrollDirection = 0; }

}  // namespace sextrix
