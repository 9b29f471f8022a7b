#include "refinement.h"

#include <algorithm>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "catalog/star_list_reader.h"
#include "chart.h"
#include "detect/star_detection.h"
#include "model/status.h"
#include "precision_texts.h"
#include "refine/plate_refinement.h"
#include "residuals.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

std::string statusLine(const LanguageTables& lang, const Refinement& r, const RefineSettings& settings,
                       char separator) {
    using enum PrecisionText;
    if (!r.solution)
        return precisionText(lang, TooFew, {std::to_string(r.residuals.size()), std::to_string(settings.minMatches)});
    std::string line = precisionText(
        lang, Refined, {std::to_string(r.used), std::to_string(r.rejected), fixedText(r.rmsArcsec, 2, separator)});
    if (r.sipOrder >= 2) line += precisionText(lang, Distortion, {std::to_string(r.sipOrder)});
    return line;
}

}  // namespace

std::vector<ReferenceStar> referenceStarsOf(const WorkingState& ws) {
    std::vector<ReferenceStar> stars;
    const int total = std::clamp<int>(ws.catTotal, 0, kCatalogueCapacity);
    stars.reserve(static_cast<std::size_t>(total));
    for (int i = 1; i <= total; ++i)
        stars.push_back({ws.catIds[static_cast<std::size_t>(i)], ws.catRa[static_cast<std::size_t>(i)],
                         ws.catDec[static_cast<std::size_t>(i)], magnitudeOf(ws.catMagR[static_cast<std::size_t>(i)])});
    return stars;
}

void RefineAcceptedPlate(App& app) {
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    forgetRefinement(form);
    const PictureSurface& picture = form.Picture1;
    if (picture.empty()) return;

    const RefineSettings settings;
    try {
        const std::vector<DetectedStar> detected = detectStars(luminanceImage(picture));
        ws.refinement = refinePlate(ws.plate, ws.corrAsd, ws.corrDec, referenceStarsOf(ws), detected, picture.width(),
                                    picture.height(), settings);
    } catch (const std::exception&) {
        // The identification stands on its own: a picture the detector
        // refuses leaves the three-star plate, as too few matches do.
        ws.refinement = {};
    }
    KeepRefinement(app, std::move(ws.refinement));
}

void KeepRefinement(App& app, Refinement refinement) {
    Form1Model& form = app.form1;
    form.ws.refinement = std::move(refinement);
    AddStatus(form, app.platform.events,
              statusLine(app.ctx.lang, form.ws.refinement, RefineSettings{}, app.ctx.decimalSeparator));
    if (form.ws.refinement.solution) map(app);
}

}  // namespace sextrix
