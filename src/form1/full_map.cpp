#include "full_map.h"

#include "catalogue_files.h"
#include "chart.h"
#include "control_writes.h"
#include "download.h"
#include "model/busy_guard.h"
#include "model/status.h"
#include "run_handler.h"
#include "suggestions.h"

namespace sextrix {
namespace {

// The first 500 star markers serve the identification; the full map needs
// the rest, made from the template item when start-up has not made them.
constexpr int kFirstFullMapMarker = 501;

}  // namespace

void FullMap_Click(App& app) {
    const BusyGuard busy(app.ctx.stepRunning);
    if (!busy) return;
    runHandler(app, [&] {
        Form1Model& form = app.form1;
        WorkingState& ws = form.ws;
        if (ws.solved == kFalse) {
            ShowSuggestion(app, "fullmapannuler", 0, "0", "0");
            return;
        }
        ws.savedMag = form.txt_mag.text;
        setText(app, form.txt_mag, form.txt_mag2.text);
        DownloadStep(app);
        setText(app, form.txt_mag, ws.savedMag);
        const StepCentre centre = CentreJ2000(app);
        READFILE(app, centre);
        READFILE_ASTER(app, centre);
        READFILE_NGCIC(app, centre);
        const auto& messages = app.ctx.lang.messages;
        AddStatus(form, app.platform.events, messages[10]);
        if (ws.fullMapState.empty() && !form.overlaysCreated)
            for (int i = kFirstFullMapMarker; i <= kStarMarkers; ++i) form.star[i] = form.star[0];
        ws.fullMapState = "loading";
        map(app);
        AddStatus(form, app.platform.events, messages[11] + "OK");
    });
}

}  // namespace sextrix
