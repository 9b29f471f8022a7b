#include "residuals.h"

#include "chart/residual_vectors.h"
#include "model/status.h"
#include "precision_texts.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

bool haveRefinement(App& app) {
    if (app.ws().refinement.solution) return true;
    app.platform.dialogs.message(precisionText(app.ctx.lang, PrecisionText::NoRefinement), "Velorin Sextrix", false);
    return false;
}

void hideVectors(Form1Model& form) {
    form.residualUsed.clear();
    form.residualRejected.clear();
    form.residualBar = {};
}

OverlayItem segment(const ResidualVector& v) { return {v.x, v.y, v.dx, v.dy, true, {}}; }

}  // namespace

void forgetRefinement(Form1Model& form) {
    form.ws.refinement = {};
    hideVectors(form);
}

void mnu_residualtable_Click(App& app) {
    if (!haveRefinement(app)) return;
    const LanguageTables& lang = app.ctx.lang;
    const char separator = app.ctx.decimalSeparator;
    const Refinement& r = app.ws().refinement;
    using enum PrecisionText;
    ResidualsModel& table = app.residuals;
    table.caption = precisionText(lang, TableCaption);
    table.columns[0] = precisionText(lang, ColumnStar);
    table.columns[3] = precisionText(lang, ColumnRaResidual);
    table.columns[4] = precisionText(lang, ColumnDecResidual);
    table.columns[5] = precisionText(lang, ColumnUsed);
    table.rows.clear();
    for (const ResidualRow& row : r.residuals)
        table.rows.push_back({row.id, fixedText(row.x, 2, separator), fixedText(row.y, 2, separator),
                              fixedText(row.dRaArcsec, 2, separator), fixedText(row.dDecArcsec, 2, separator),
                              precisionText(lang, row.used ? Used : Rejected)});
    table.summary =
        precisionText(lang, Refined, {intToText(r.used), intToText(r.rejected), fixedText(r.rmsArcsec, 2, separator)});
    app.platform.windows.showModal(WindowKey::Residuals);
}

void mnu_residualvectors_Click(App& app) {
    Form1Model& form = app.form1;
    if (form.residualBar.visible) {
        hideVectors(form);
        return;
    }
    if (!haveRefinement(app)) return;
    const ResidualVectorLayout layout = layoutResidualVectors(app.ws().refinement);
    for (const ResidualVector& v : layout.vectors)
        (v.used ? form.residualUsed : form.residualRejected).push_back(segment(v));
    if (layout.magnification <= 0) return;
    const char separator = app.ctx.decimalSeparator;
    const std::string bar = numberToText(layout.barArcsec, separator);
    form.residualBar = {0, 0, layout.barLength, 0, true, bar + "\""};
    AddStatus(
        form, app.platform.events,
        precisionText(app.ctx.lang, PrecisionText::VectorScale, {numberToText(layout.magnification, separator), bar}));
}

}  // namespace sextrix
