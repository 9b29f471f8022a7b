#include "identification.h"

#include <algorithm>
#include <vector>

#include "chart.h"
#include "geometry/plate.h"
#include "identify/decider.h"
#include "identify/figure_search.h"
#include "identify/star_distance.h"
#include "identify/three_star_plate.h"
#include "state/errors.h"
#include "state/status.h"
#include "state/text_number.h"
#include "suggestions.h"

namespace sextrix {
namespace {

double readNumberBox(const TextBox& box, char decimalSeparator, const std::string& what) {
    if (auto value = tryParseStrictNumber(box.text, decimalSeparator)) return *value;
    throw IdentifyInputError("The " + what + " \"" + box.text + "\" is not a number.");
}

DeciderWindow readDeciderWindow(const Form1Model& form, char decimalSeparator) {
    const double threshold = readNumberBox(form.txt_calcul, decimalSeparator, "decision threshold");
    try {
        return deciderWindow(threshold);
    } catch (const OverflowError&) {
        throw IdentifyInputError("The decision threshold \"" + form.txt_calcul.text + "\" is too large.");
    }
}

// Shows candidate s of total and asks about it; true when the user accepts.
bool offerCandidate(App& app, const FigureRow& row, int s, int total) {
    WorkingState& ws = app.ws();
    Form1Model& form = app.form1;
    const auto& messages = app.ctx.lang.messages;

    auto pair = [&](int column) {
        const int picked = column + 1;
        const int star = row[column];
        return StarPair{ws.pickX[picked], ws.pickY[picked], ws.catX[star], ws.catY[star]};
    };
    const auto plate = plateFromThreePairs(pair(0), pair(1), pair(2));
    if (!plate) return false;  // first three picks on one line: no plate to show
    ws.plate = *plate;

    map(app);
    mapcroix(app, row[0], row[1], row[2], row[3], row[4]);

    // Re-read for every candidate: the box may change while a question is open.
    const DeciderWindow window = readDeciderWindow(form, app.ctx.decimalSeparator);
    Int16 deciderHits = countDeciderHits(form.clicpic, form.star, ws.catCount, window);
    if (form.CheckDecideur.value == 0) deciderHits = 4;
    if (ws.mapFailed != 0 || deciderHits <= 3) return false;

    ws.lineText.clear();
    if (ws.centreWarn != 0) {
        ws.centreWarn = kFalse;
        ws.lineText = messages[20] + "\r";
    }
    // The user said the centre is on the image, so a plate that puts it off is wrong.
    if (!ws.lineText.empty() && form.Checkcenter.value == 1) return false;
    const std::string question =
        ws.lineText + messages[2] + " (" + intToText(s) + "/" + intToText(total) + ")";
    return app.platform.dialogs.askYesNo(question, messages[3]);
}

}  // namespace

void Algo(App& app) {
    WorkingState& ws = app.ws();
    Form1Model& form = app.form1;
    const auto& messages = app.ctx.lang.messages;
    const char separator = app.ctx.decimalSeparator;

    // Whatever can refuse the calculation is checked before anything changes.
    if (ws.catCount > kIdentifyCapacity)
        throw IdentifyInputError("The identification takes at most " + intToText(kIdentifyCapacity) +
                                 " catalogue stars, not " + intToText(ws.catCount) + ".");
    const double tolerance = readNumberBox(form.txt_tolerance, separator, "tolerance");
    readDeciderWindow(form, separator);

    AddStatus(form, app.platform.events, messages[5]);
    const Int16 solvedBefore = ws.solved;
    const Plate plateBefore = ws.plate;
    ws.solved = kFalse;

    fillPickDistances(ws);
    const int count = std::max<int>(ws.catCount, 0);
    fillCatalogueDistances(ws, count);
    ws.tolerance = tolerance;
    const std::vector<FigureRow> rows =
        findFigures({ws.pickDist, ws.catDist, ws.catX, ws.catY, count, tolerance});
    ws.solutionCount = static_cast<Int16>(rows.size());

    try {
        for (int s = 1; s <= ws.solutionCount; ++s) {
            if (!offerCandidate(app, rows[s - 1], s, ws.solutionCount)) continue;
            AddStatus(form, app.platform.events, messages[4]);
            ws.solved = kTrue;
            ws.mode = ClickMode::Coor;
            break;
        }
    } catch (const IdentifyInputError&) {
        // A threshold spoilt during the run ends it as if it had never started.
        ws.solved = solvedBefore;
        ws.plate = plateBefore;
        throw;
    }

    AddStatus(form, app.platform.events, messages[6]);
    ShowSuggestion(app, "calcul", ws.solved, intToText(ws.solutionCount), intToText(ws.catCount));
}

}  // namespace sextrix
