#include "measuring.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "captions.h"
#include "detect/luminance_image.h"
#include "detect/star_detection.h"
#include "image_file.h"
#include "measure/frame_calibration.h"
#include "model/status.h"
#include "obstime/exif_time.h"
#include "obstime/fits_time.h"
#include "obstime/utc_time.h"
#include "refinement.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr int kStarted = 157, kNeedsSolution = 158, kNothing = 159, kMeasured = 160, kNoMagnitude = 161, kNoTime = 162;

std::string text(const App& app, int entry, const char* english, const std::vector<std::string>& values = {}) {
    return laterFormEntry(app.ctx.lang, entry, english, values);
}

// The middle of the exposure: the FITS header's, else the camera's EXIF.
Outcome<ObservationTime> pictureTime(const App& app) {
    const WorkingState& ws = app.form1.ws;
    if (!ws.imageKeywords.empty()) return fitsMidExposure(ws.imageKeywords);
    const Result<ExifTimeFields> fields = readExifTimeFields(imagePathOf(app, app.form1.txt_url.text));
    if (!fields) return Outcome<ObservationTime>::refused(describe(fields.error()));
    return exifMidExposure(*fields, std::nullopt);
}

std::vector<ListedAsteroid> listedAsteroids(const WorkingState& ws) {
    std::vector<ListedAsteroid> listed;
    for (int i = 1; i <= ws.astCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const auto x = tryParseStrictNumber(ws.astX[k], '.'), y = tryParseStrictNumber(ws.astY[k], '.');
        if (x && y)
            listed.push_back({listedDesignation(ws.astNumbers[k], ws.astNames[k]), *x / ws.corrAsd, *y / ws.corrDec});
    }
    return listed;
}

// "08h51m11.78s +11°45'22.0\"": the digits a measurement carries.
std::string measuredPosition(double raDeg, double decDeg, char separator) {
    const long long raCs = std::llround(raDeg / 15 * 360000) % (24 * 360000);
    const long long decDs = std::llround(std::abs(decDeg) * 36000);
    char out[64];
    std::snprintf(out, sizeof out, "%02lldh%02lldm%02lld.%02llds %c%02lld°%02lld'%02lld.%lld\"", raCs / 360000,
                  raCs / 6000 % 60, raCs / 100 % 60, raCs % 100, decDeg < 0 ? '-' : '+', decDs / 36000,
                  decDs / 600 % 60, decDs / 10 % 60, decDs % 10);
    std::string text = out;
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

std::string signedArcsec(double value) {
    char out[32];
    std::snprintf(out, sizeof out, "%+.1f\"", value);
    return out;
}

}  // namespace

void mnu_measure_Click(App& app) {
    WorkingState& ws = app.ws();
    if (ws.mode == ClickMode::Measure) {
        ws.mode = ClickMode::Coor;
        return;
    }
    if (ws.solved != kTrue || !ws.refinement.solution) {
        AddStatus(app.form1, app.platform.events,
                  text(app, kNeedsSolution,
                       "Measuring needs a refined solution: identify the field on an image with enough stars."));
        return;
    }
    ws.mode = ClickMode::Measure;
    AddStatus(app.form1, app.platform.events,
              text(app, kStarted, "Measuring: click the object to measure; Measure again to stop."));
}

void measureClick(App& app) {
    WorkingState& ws = app.ws();
    if (!ws.refinement.solution) return;
    const LuminanceImage image = luminanceImage(app.form1.Picture1);
    if (!ws.measureFrame)
        ws.measureFrame =
            calibrateFrame(image, *ws.refinement.solution, ws.refinement, referenceStarsOf(ws), detectStars(image));
    const Outcome<TargetMeasurement> target = measureTarget(image, ws.clickX, ws.clickY, *ws.measureFrame);
    if (!target) {
        AddStatus(app.form1, app.platform.events, text(app, kNothing, "No measurement: %1", {target.reason()}));
        return;
    }
    MeasurementRow row{*target, app.form1.txt_url.text, std::nullopt, std::nullopt};
    const Outcome<ObservationTime> time = pictureTime(app);
    if (time) row.mjdUtc = time->mjdUtc;
    const std::vector<ListedAsteroid> listed = listedAsteroids(ws);
    row.known = nearestListedAsteroid(target->raDeg, target->decDeg, listed);
    ws.measurements.push_back(row);

    const char separator = app.ctx.decimalSeparator;
    const TargetMeasurement& t = *target;
    std::string line =
        text(app, kMeasured, "Measurement %1: %2 +-%3\", %4, SNR %5",
             {intToText(static_cast<long long>(ws.measurements.size())), measuredPosition(t.raDeg, t.decDeg, separator),
              fixedText(std::max(t.sigmaRaCosDecArcsec, t.sigmaDecArcsec), 2, separator),
              t.mag ? "mag " + fixedText(*t.mag, 2, separator) : text(app, kNoMagnitude, "no magnitude"),
              fixedText(t.snr, 0, separator)});
    if (row.known)
        line += ", " + row.known->designation + " O-C " + signedArcsec(row.known->ocRaCosDecArcsec) + " " +
                signedArcsec(row.known->ocDecArcsec);
    line += ", " + (time ? isoUtcText(time->mjdUtc, 1) : text(app, kNoTime, "no time") + " (" + time.reason() + ")");
    AddStatus(app.form1, app.platform.events, line);
}

}  // namespace sextrix
