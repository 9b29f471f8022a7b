#include "identification.h"

#include <algorithm>
#include <vector>

#include "chart.h"
#include "identify/decider.h"
#include "identify/figure_identification.h"
#include "model/status.h"
#include "refinement.h"
#include "residuals.h"
#include "state/errors.h"
#include "state/text_number.h"
#include "suggestions.h"

namespace sextrix {
namespace {

// The main window's language entry that refuses collinear first picks. It
// came with a later version of the language files: an older file holds the
// section's marker there, or nothing.
constexpr int kCollinearPicksEntry = 81;
constexpr const char* kCollinearPicksFallback =
    "The first three picked stars lie on one line: pick other stars with 2-Stars, then run 3-Calculate again.";

std::string collinearPicksText(const LanguageTables& lang) {
    const std::string& text = lang.formTexts[kCollinearPicksEntry];
    if (text.empty() || text.front() == '[') return kCollinearPicksFallback;
    return text;
}

DeciderWindow readDeciderWindow(const App& app) {
    const std::string& text = app.form1.txt_calcul.text;
    const std::string box = boxName(app.ctx.lang, 31, "Decision threshold:");
    const double threshold = strictBoxNumber(app, text, box);
    try {
        return deciderWindow(threshold);
    } catch (const OverflowError&) {
        throw outOfRange(app.ctx.lang, box, text);
    }
}

FivePicks picksOf(const WorkingState& ws) {
    FivePicks picks;
    for (int k = 0; k < 5; ++k) picks[k] = {ws.pickX[k + 1], ws.pickY[k + 1]};
    return picks;
}

// Shows the candidate the identification gives now and asks about it; true
// when the user accepts. A candidate without a plate, whose chart failed,
// that the decider refuses, or whose centre falls off the picture while the
// user said it is on it, is refused without a question.
bool offerCandidate(App& app, FigureIdentification& identification, const Candidate& candidate) {
    WorkingState& ws = app.ws();
    Form1Model& form = app.form1;
    const auto& messages = app.ctx.lang.messages;
    if (!candidate.plate) return false;
    ws.plate = *candidate.plate;
    forgetRefinement(form);

    // The warning is about this candidate's chart; one left by an earlier
    // chart would refuse the right solution under Checkcenter.
    ws.centreWarn = kFalse;
    map(app);
    const FigureRow& row = candidate.row;
    mapcroix(app, row[0], row[1], row[2], row[3], row[4]);

    // Re-read for every candidate: the box may change while a question is open.
    const DeciderWindow window = readDeciderWindow(app);
    const CandidateCheck check = identification.verify(window, form.CheckDecideur.value != 0);
    if (ws.mapFailed != 0 || !check.worthAsking) return false;

    ws.lineText.clear();
    if (ws.centreWarn != 0) {
        ws.centreWarn = kFalse;
        ws.lineText = messages[20] + "\r";
    }
    // The user said the centre is on the image, so a plate that puts it off is wrong.
    if (!ws.lineText.empty() && form.Checkcenter.value == 1) return false;
    const std::string question = ws.lineText + messages[2] + " (" + intToText(identification.candidateNumber()) + "/" +
                                 intToText(identification.candidateCount()) + ")";
    return app.platform.dialogs.askYesNo(question, messages[3]);
}

}  // namespace

void Algo(App& app) {
    WorkingState& ws = app.ws();
    Form1Model& form = app.form1;
    const auto& messages = app.ctx.lang.messages;

    // Whatever can refuse the calculation is checked before anything changes.
    if (ws.catCount > kIdentifyCapacity)
        throw InputError("The identification takes at most " + intToText(kIdentifyCapacity) + " catalogue stars, not " +
                         intToText(ws.catCount) + ".");
    const double tolerance = strictBoxNumber(app, form.txt_tolerance.text, boxName(app.ctx.lang, 33, "Tolerance:"));
    const DeciderWindow window = readDeciderWindow(app);
    const FivePicks picks = picksOf(ws);
    if (firstThreeCollinear(picks)) throw InputError(collinearPicksText(app.ctx.lang));

    AddStatus(form, app.platform.events, messages[5]);
    const Int16 solvedBefore = ws.solved;
    const Plate plateBefore = ws.plate;
    const Refinement refinementBefore = ws.refinement;
    ws.solved = kFalse;

    const int count = std::max<int>(ws.catCount, 0);
    FigureIdentification identification({picks, ws.catX, ws.catY, count, tolerance, window}, ws.pickDist, ws.catDist);
    ws.solutionCount = static_cast<Int16>(identification.candidateCount());

    try {
        while (const Candidate* candidate = identification.nextCandidate()) {
            if (!offerCandidate(app, identification, *candidate)) {
                identification.reject();
                continue;
            }
            identification.accept();  // no candidate follows
            AddStatus(form, app.platform.events, messages[4]);
            ws.solved = kTrue;
            ws.mode = ClickMode::Coor;
            RefineAcceptedPlate(app);
        }
    } catch (const InputError&) {
        // A threshold spoilt during the run ends it as if it had never started.
        ws.solved = solvedBefore;
        ws.plate = plateBefore;
        ws.refinement = refinementBefore;
        throw;
    }

    AddStatus(form, app.platform.events, messages[6]);
    ShowSuggestion(app, "calcul", ws.solved, intToText(ws.solutionCount), intToText(ws.catCount));
}

}  // namespace sextrix
