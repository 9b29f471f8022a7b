#include "auto_solve.h"

#include <array>
#include <cmath>
#include <limits>

#include "autosolve/solve_field.h"
#include "box_numbers.h"
#include "calculation.h"
#include "catalogue_files.h"
#include "chart.h"
#include "detect/star_detection.h"
#include "identify/star_picking.h"
#include "model/busy_guard.h"
#include "model/status.h"
#include "precision_texts.h"
#include "refinement.h"
#include "residuals.h"
#include "run_handler.h"
#include "state/text_number.h"
#include "suggestions.h"

namespace sextrix {
namespace {

// The catalogue star (1..catTotal) the solution puts nearest each pick, for
// the crosses; 0 (no cross) when none lies within a few pixels.
std::array<Int16, 5> crossedStars(const WorkingState& ws, const SkyMap& map, const FivePicks& picks) {
    constexpr double kReachPx = 4;
    std::array<Int16, 5> matched{};
    for (int k = 0; k < 5; ++k) {
        double best = kReachPx;
        for (int i = 1; i <= ws.catTotal; ++i) {
            const auto pixel =
                map.skyToPixel(ws.catX[static_cast<std::size_t>(i)], ws.catY[static_cast<std::size_t>(i)]);
            if (!pixel) continue;
            const double d = std::hypot(pixel->x - picks[static_cast<std::size_t>(k)].x,
                                        pixel->y - picks[static_cast<std::size_t>(k)].y);
            if (d < best) best = d, matched[static_cast<std::size_t>(k)] = static_cast<Int16>(i);
        }
    }
    return matched;
}

// The picks the solver used, shown as the user's clicks would be.
void showPicks(Form1Model& form, const FivePicks& picks) {
    WorkingState& ws = form.ws;
    for (int k = 1; k <= 5; ++k) {
        const PickedStar& pick = picks[static_cast<std::size_t>(k - 1)];
        ws.pickX[k] = pick.x;
        ws.pickY[k] = pick.y;
        OverlayItem& marker = form.clicpic[static_cast<std::size_t>(k)];
        marker.left = pick.x - kClickMarkerHalf;
        marker.top = pick.y - kClickMarkerHalf;
        marker.visible = true;
    }
    ws.pickCount = 5;
    ws.starsPicked = kTrue;
}

void solveAndAsk(App& app, const StepCentre& centre) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    const auto& messages = app.ctx.lang.messages;
    AddStatus(form, app.platform.events, messages[5]);

    SolveHints hints;
    hints.centreRaDeg = centre.raDeg;
    hints.centreDecDeg = centre.decDeg;
    hints.corrAsd = ws.corrAsd;
    hints.corrDec = ws.corrDec;
    hints.tolerance = strictBoxNumber(app, form.txt_tolerance.text, boxName(app.ctx.lang, 33, "Tolerance:"));
    const PictureSurface& picture = form.Picture1;
    const SolveOutcome outcome = solveField(detectStars(luminanceImage(picture)), picture.width(), picture.height(),
                                            referenceStarsOf(ws), hints);
    using enum PrecisionText;
    if (!outcome.solved) {
        AddStatus(form, app.platform.events, precisionText(app.ctx.lang, AutoNoSolution, {outcome.reason}));
        return;
    }

    // The candidate is shown as the search's candidates are: its plate, the
    // chart, the picks and crosses on the stars they stand for.
    ws.plate =
        windowPlateFor(outcome.solution, ws.corrAsd, ws.corrDec, hints.centreRaDeg, picture.width(), picture.height());
    forgetRefinement(form);
    showPicks(form, outcome.picks);
    ws.centreWarn = kFalse;
    map(app);
    const std::array<Int16, 5> crossed =
        crossedStars(ws, SkyMap(ws.plate, outcome.solution, ws.corrAsd, ws.corrDec), outcome.picks);
    mapcroix(app, crossed[0], crossed[1], crossed[2], crossed[3], crossed[4]);
    AddStatus(form, app.platform.events,
              precisionText(app.ctx.lang, AutoCandidate,
                            {intToText(outcome.proofMatches), intToText(outcome.proofPredicted),
                             intToText(static_cast<int>(std::ceil(outcome.log10FalseAlarm)))}));

    std::string question = messages[2] + " (1/1)";
    if (ws.centreWarn != 0) question = messages[20] + "\r" + question;
    if (!app.platform.dialogs.askYesNo(question, messages[3])) return;
    AddStatus(form, app.platform.events, messages[4]);
    ws.solved = kTrue;
    ws.mode = ClickMode::Coor;
    // The solver refined the candidate on the stars it detected already.
    KeepRefinement(app, outcome.refinement);
}

}  // namespace

void AutoSolve_Click(App& app) {
    const BusyGuard busy(app.ctx.stepRunning);
    if (!busy) return;
    autoSolveField(app);
}

void autoSolveField(App& app) {
    runHandler(app, [&] {
        Form1Model& form = app.form1;
        WorkingState& ws = form.ws;
        runIdentification(app, [&] {
            beginIdentification(app);
            if (ws.imageLoaded != kTrue) return;
            const StepCentre centre = CentreJ2000(app);
            READFILE(app, centre);
            READFILE_NGCIC(app, centre);
            solveAndAsk(app, centre);
            AddStatus(form, app.platform.events, app.ctx.lang.messages[6]);
            ShowSuggestion(app, "calcul", ws.solved, intToText(ws.solved == kTrue ? 1 : 0), intToText(ws.catCount));
        });
    });
}

}  // namespace sextrix
