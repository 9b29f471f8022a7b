#include "calculation.h"

#include <algorithm>

#include "catalogue_files.h"
#include "chart.h"
#include "identification.h"
#include "image_file.h"
#include "model/busy_guard.h"
#include "model/status.h"
#include "reduction.h"
#include "run_handler.h"
#include "state/text_number.h"
#include "suggestions.h"

namespace sextrix {

// Above this many catalogue stars the search may take long enough that the
// user is asked first.
constexpr Int16 kLargeCatalogue = 380;
// The suggestion entry shown when the calculation finds fewer than five picks.
constexpr int kFivePicksNeeded = 14;

void beginIdentification(App& app) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    Loadimg_Click(app);
    // Until a candidate is accepted there is no solution.
    ws.solved = kFalse;
    SetStatusLight(form, 0);
    ws.corrAsd = leadingBoxNumber(app, form.txt_corrasd.text, boxName(app.ctx.lang, 36, "Corr RA"));
    ws.corrDec = leadingBoxNumber(app, form.txt_corrdec.text, boxName(app.ctx.lang, 37, "Corr Dec"));
    for (int i = 1; i <= kStarMarkers; ++i) form.star[i].visible = false;
}

void runIdentification(App& app, const std::function<void()>& steps) {
    try {
        steps();
    } catch (...) {
        // The picture was reloaded and the markers hidden: whatever was
        // solved before is not shown any more.
        forgetSolution(app.form1);
        throw;
    }
    if (app.ws().solved == kTrue)
        SetStatusLight(app.form1, kTrue);
    else
        forgetSolution(app.form1);
}

namespace {

void calculate(App& app) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    beginIdentification(app);
    if (ws.starsPicked != kTrue) {
        ShowSuggestion(app, "calculannuler", 0, "0", "0");
        // The suggestion's own words ask for five stars; the count says how far the picking got.
        const int picked = std::clamp<int>(ws.pickCount, 0, kClickMarkers);
        AddStatus(form, app.platform.events,
                  app.ctx.lang.suggestionTexts[kFivePicksNeeded] + " (" + intToText(picked) + "/5)");
        return;
    }
    const StepCentre centre = CentreJ2000(app);
    READFILE(app, centre);
    READFILE_NGCIC(app, centre);
    const auto& messages = app.ctx.lang.messages;
    if (ws.catCount > kLargeCatalogue && !app.platform.dialogs.askYesNo(messages[15], messages[16])) {
        AddStatus(form, app.platform.events, messages[17]);
        return;
    }
    Algo(app);
    if (ws.solved == kTrue) map(app);
}

}  // namespace

void startCalcul_Click(App& app) {
    const BusyGuard busy(app.ctx.stepRunning);
    if (!busy) return;
    runHandler(app, [&] { runIdentification(app, [&] { calculate(app); }); });
}

}  // namespace sextrix
