#include "info_panel.h"

#include "captions.h"
#include "details/info_markup.h"
#include "details/report_text.h"
#include "geometry/precession.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

ReportStyle styleOf(const AppContext& ctx) { return {ctx.lang.infoTexts, ctx.decimalSeparator}; }

// Corrections from J2000.0 to the epoch typed in epochText, kept in the context.
PrecessionDelta toEpochOf(AppContext& ctx, const std::string& epochText, double ra, double dec) {
    const PrecessionDelta toEpoch = PrecessFromJ2000(parseLeadingNumber(epochText), ra, dec);
    ctx.precessDeltaRa = toEpoch.ra;
    ctx.precessDeltaDec = toEpoch.dec;
    return toEpoch;
}

void showReport(Form1Model& form, std::string markup) {
    setText(form.InfoMore, std::move(markup));
    RenderInfoMarkup(form.InfoMore);
    form.Frm6.visible = true;
}

}  // namespace

void ShowStarInfo(App& app, const std::string& id, double ra, double dec, const std::string& magR,
                  const std::string& magB, const std::string& epochText) {
    const PrecessionDelta toEpoch = toEpochOf(app.ctx, epochText, ra, dec);
    showReport(app.form1, starReportMarkup(styleOf(app.ctx), id, ra, dec, magR, magB, epochText, toEpoch));
}

void ShowPointInfo(App& app, double ra, double dec, const std::string& epochText) {
    const PrecessionDelta toEpoch = toEpochOf(app.ctx, epochText, ra, dec);
    showReport(app.form1, pointReportMarkup(styleOf(app.ctx), ra, dec, epochText, toEpoch));
}

void ShowAsteroidInfo(App& app, const std::string& number, const std::string& name, double ra, double dec,
                      const std::string& text48, const std::string& text77, const std::string& text70) {
    // Blank motion columns: the service gave no motion, which is not a motion of 0.
    const auto motion = [&](const std::string& text) {
        return text.find_first_not_of(' ') == std::string::npos ? laterFormEntry(app.ctx.lang, 126, "unknown") : text;
    };
    showReport(app.form1,
               asteroidReportMarkup(styleOf(app.ctx), number, name, ra, dec, text48, motion(text77), motion(text70)));
}

void ShowDeepSkyInfo(App& app, const std::string& name, double ra, double dec, const std::string& text51, double size1,
                     double size2, const std::string& text79, const std::string& pgc, const std::string& text97,
                     const std::string& text113) {
    showReport(app.form1, deepSkyReportMarkup(styleOf(app.ctx), name, ra, dec, text51, size1, size2, text79, pgc,
                                              text97, text113));
}

}  // namespace sextrix
