#include "reduction.h"

#include "chart/chart_items.h"
#include "model/status.h"
#include "residuals.h"

namespace sextrix {

void forgetSolution(Form1Model& form) {
    WorkingState& ws = form.ws;
    ws.solved = kFalse;
    forgetRefinement(form);
    ws.measureFrame.reset();
    if (ws.mode == ClickMode::Coor || ws.mode == ClickMode::Measure) ws.mode = ClickMode::Idle;
    hideItems(form.star);
    hideItems(form.aster);
    hideItems(form.aster_lbl);
    hideItems(form.deepobj_lbl);
    for (OverlayItem& item : form.centerpic) item.visible = false;
    form.Picture1.clearDrawings();
    SetStatusLight(form, kFalse);
}

void forgetPicks(Form1Model& form) {
    form.ws.pickCount = 0;
    form.ws.starsPicked = kFalse;
    for (int k = 1; k <= kClickMarkers; ++k) form.clicpic[k].visible = false;
}

}  // namespace sextrix
