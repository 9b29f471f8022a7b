#include "measurements.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "captions.h"
#include "obstime/utc_time.h"
#include "report/designation.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr int kCaption = 180, kFirstColumn = 181, kDelete = 187, kSave = 188, kCopy = 189, kClose = 190,
              kNotADesignation = 196, kNothingMeasured = 199;

std::string withSeparator(std::string text, char separator) {
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

std::string signedArcsec(double value, char separator) {
    char out[32];
    std::snprintf(out, sizeof out, "%+.1f", value);
    return withSeparator(out, separator);
}

MeasurementsModel::Row rowOf(const KeptMeasurement& m, char separator) {
    const TargetMeasurement& t = m.target;
    const double sigma = std::max(t.sigmaRaCosDecArcsec, t.sigmaDecArcsec);
    MeasurementsModel::Row row;
    row.cells = {designationText(m),
                 fileNameOf(m.image),
                 m.mjdUtc ? withSeparator(isoUtcText(*m.mjdUtc, 1), separator) : "-",
                 measuredRaText(t.raDeg, separator),
                 measuredDecText(t.decDeg, separator),
                 fixedText(sigma, 2, separator),
                 t.mag         ? fixedText(*t.mag, 2, separator)
                 : t.saturated ? "sat."
                               : "-",
                 fixedText(t.snr, 0, separator),
                 m.known ? ocText(*m.known, separator) : ""};
    row.sortValues = {
        std::nullopt,
        std::nullopt,
        m.mjdUtc,
        t.raDeg,
        t.decDeg,
        sigma,
        t.mag,
        t.snr,
        m.known ? std::optional(std::hypot(m.known->ocRaCosDecArcsec, m.known->ocDecArcsec)) : std::nullopt};
    return row;
}

}  // namespace

std::string measuredRaText(double raDeg, char separator) {
    const long long cs = std::llround(raDeg / 15 * 360000) % (24 * 360000);
    char out[32];
    std::snprintf(out, sizeof out, "%02lld %02lld %02lld.%02lld", cs / 360000, cs / 6000 % 60, cs / 100 % 60, cs % 100);
    return withSeparator(out, separator);
}

std::string measuredDecText(double decDeg, char separator) {
    const long long ds = std::llround(std::abs(decDeg) * 36000);
    char out[32];
    std::snprintf(out, sizeof out, "%c%02lld %02lld %02lld.%lld", decDeg < 0 ? '-' : '+', ds / 36000, ds / 600 % 60,
                  ds / 10 % 60, ds % 10);
    return withSeparator(out, separator);
}

std::string ocText(const AsteroidMatch& match, char separator) {
    return signedArcsec(match.ocRaCosDecArcsec, separator) + " " + signedArcsec(match.ocDecArcsec, separator);
}

void fillMeasurementsModel(App& app) {
    const LanguageTables& lang = app.ctx.lang;
    MeasurementsModel& model = app.measurements;
    model.caption = laterFormEntry(lang, kCaption, "Measurements");
    const char* english[] = {"Designation", "Image", "UTC date", "RA", "Dec", "SNR"};
    for (int k = 0; k < 6; ++k)
        model.columns[static_cast<std::size_t>(k < 5 ? k : 7)] = laterFormEntry(lang, kFirstColumn + k, english[k]);
    model.cmdDelete.caption = laterFormEntry(lang, kDelete, "Delete");
    model.cmdSave.caption = laterFormEntry(lang, kSave, "Save MPC report…");
    model.cmdCopy.caption = laterFormEntry(lang, kCopy, "Copy MPC report");
    model.cmdClose.caption = laterFormEntry(lang, kClose, "Close");
    model.empty =
        laterFormEntry(lang, kNothingMeasured, "No measurement yet: Options > Measure (key M) on a solved picture.");
    model.rows.clear();
    for (const KeptMeasurement& m : app.ws().measurements) model.rows.push_back(rowOf(m, app.ctx.decimalSeparator));
}

void mnu_measurements_Click(App& app) {
    fillMeasurementsModel(app);
    app.platform.windows.showModal(WindowKey::Measurements);
}

void deleteMeasurements(App& app, std::vector<int> indices) {
    std::vector<KeptMeasurement>& kept = app.ws().measurements;
    std::sort(indices.begin(), indices.end(), std::greater<>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (int index : indices)
        if (index >= 0 && index < static_cast<int>(kept.size())) kept.erase(kept.begin() + index);
    fillMeasurementsModel(app);
    placeMeasureMarkers(app.form1);
}

bool renameMeasurement(App& app, int index, const std::string& typed) {
    std::vector<KeptMeasurement>& kept = app.ws().measurements;
    if (index < 0 || index >= static_cast<int>(kept.size())) return false;
    const std::string text = trimmedText(typed);
    if (!text.empty()) {
        const Outcome<Designation> designation = parseDesignation(text);
        if (!designation) {
            app.platform.dialogs.message(
                laterFormEntry(app.ctx.lang, kNotADesignation, "Designation refused: %1", {designation.reason()}),
                "Velorin Sextrix", true);
            return false;
        }
    }
    kept[static_cast<std::size_t>(index)].designation = text;
    fillMeasurementsModel(app);
    placeMeasureMarkers(app.form1);
    return true;
}

void placeMeasureMarkers(Form1Model& form) {
    const WorkingState& ws = form.ws;
    const std::string shown = ws.imageShown.substr(0, ws.imageShown.find('\n'));
    form.measureMarkers.clear();
    for (std::size_t k = 0; k < ws.measurements.size(); ++k) {
        const KeptMeasurement& m = ws.measurements[k];
        if (shown.empty() || m.image != shown) continue;
        const std::string name = designationText(m);
        form.measureMarkers.push_back(
            {m.target.x, m.target.y, 0, 0, true, name.empty() ? "#" + std::to_string(k + 1) : name});
    }
}

}  // namespace sextrix
