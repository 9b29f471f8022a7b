#include "object_picking.h"

#include <algorithm>
#include <stdexcept>

#include "object_reports.h"
#include "state/handler.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

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

bool markerHit(const OverlayItem& marker, Int16 x, Int16 y) {
    const float left = static_cast<float>(marker.left);
    const float top = static_cast<float>(marker.top);
    const float fx = x, fy = y;
    return left - 4 < fx && fx < left + 12 && top - 4 < fy && fy < top + 12;
}

int firstMarkerHit(const std::vector<OverlayItem>& markers, int count, Int16 x, Int16 y) {
    const int last = std::min(count, static_cast<int>(markers.size()) - 1);
    for (int i = 1; i <= last; ++i)
        if (markerHit(markers[static_cast<std::size_t>(i)], x, y)) return i;
    return 0;
}

void Picture1_DblClick(App& app) {
    runHandler(app.platform.dialogs, [&] {
        const WorkingState& ws = app.ws();
        if (ws.mode != "coor" && ws.fullMapState != "done") return;
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
    runHandler(app.platform.dialogs, [&] { showAsteroid(app, objectSlot(index)); });
}

void deepobj_lbl_Click(App& app, Int16 index) {
    runHandler(app.platform.dialogs, [&] {
        const std::size_t i = objectSlot(index);
        WorkingState& ws = app.ws();
        ws.loopI = index;
        ShowDeepSkyInfo(app, ws.deepNames[i], ws.deepX[i] / ws.corrAsd, ws.deepY[i] / ws.corrDec, ws.deepText51[i],
                        ws.deepSize1[i], ws.deepSize2[i], ws.deepText79[i], ws.deepPgc[i], ws.deepText97[i],
                        ws.deepText113[i]);
    });
}

}  // namespace sextrix
