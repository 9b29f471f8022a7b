#include "calculation.h"

#include <algorithm>

#include "catalogue_files.h"
#include "chart.h"
#include "identification.h"
#include "image_file.h"
#include "state/busy_guard.h"
#include "state/handler.h"
#include "state/status.h"
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
    SetStatusLight(form, 0);
    ws.corrAsd = leadingBoxNumber(form.txt_corrasd.text, "scale factor Corr RA");
    ws.corrDec = leadingBoxNumber(form.txt_corrdec.text, "scale factor Corr Dec");
    for (int i = 1; i <= kStarMarkers; ++i) form.star[i].visible = false;
}

void startCalcul_Click(App& app) {
    const BusyGuard busy(app.ctx.stepRunning);
    if (!busy) return;
    runHandler(app.platform.dialogs, [&] {
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
        READFILE(app);
        READFILE_NGCIC(app);
        const auto& messages = app.ctx.lang.messages;
        if (ws.catCount > kLargeCatalogue && !app.platform.dialogs.askYesNo(messages[15], messages[16])) {
            AddStatus(form, app.platform.events, messages[17]);
            return;
        }
        Algo(app);
        map(app);
        SetStatusLight(form, kTrue);
    });
}

}  // namespace sextrix
