#include "measuring.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "captions.h"
#include "catalog/catalogue_area.h"
#include "detect/luminance_image.h"
#include "detect/star_detection.h"
#include "download.h"
#include "image_file.h"
#include "localcat/local_star_answer.h"
#include "measure/frame_calibration.h"
#include "measurements.h"
#include "model/status.h"
#include "obstime/frame_time.h"
#include "obstime/utc_time.h"
#include "refinement.h"
#include "report/observer_settings.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr int kOtherCatalogue = 233, kStarted = 157, kNeedsSolution = 158, kNothing = 159, kMeasured = 160,
              kNoMagnitude = 161, kNoTime = 162, kUnreadableTime = 197;

std::string text(const App& app, int entry, const char* english, const std::vector<std::string>& values = {}) {
    return laterFormEntry(app.ctx.lang, entry, english, values);
}

// The middle of the exposure: as typed in the UTC box, else the FITS
// header's, else the camera's EXIF with the camera's offset from the report
// settings.
Outcome<ObservationTime> pictureTime(const App& app) {
    const WorkingState& ws = app.form1.ws;
    if (const std::string typed = trimmedText(app.form1.txt_obstime.text); !typed.empty()) {
        if (const auto time = parseIsoTime(typed)) return ObservationTime{mjdOf(*time), "typed"};
        return Outcome<ObservationTime>::refused(text(app, kUnreadableTime,
                                                      "Unreadable UTC date/time: \"%1\" (for example "
                                                      "2026-12-08T03:14:15.5)",
                                                      {typed}));
    }
    return frameTimeOf(imagePathOf(app, app.form1.txt_url.text), ws.imageKeywords.empty() ? nullptr : &ws.imageKeywords,
                       cameraUtcOffsetSetting(app.programFile("observer.cfg")));
}

const WorkingState::MeasureFrame& measureFrameOf(App& app) {
    WorkingState& ws = app.ws();
    if (!ws.measureFrame) {
        LuminanceImage image = luminanceImage(app.form1.Picture1);
        FrameCalibration calibration =
            calibrateFrame(image, *ws.refinement.solution, ws.refinement, referenceStarsOf(ws), detectStars(image));
        ws.measureFrame = WorkingState::MeasureFrame{std::move(image), std::move(calibration), answerCatalogue(app)};
    }
    return *ws.measureFrame;
}

}  // namespace

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

std::string otherCatalogueText(const App& app) {
    return text(app, kOtherCatalogue,
                "Measurements for the MPC need a star answer from USNO-A2.0, UCAC4 or Gaia DR3; this one is from "
                "another catalogue.");
}

std::optional<Catalogue> answerCatalogue(const App& app) {
    const std::string answer = app.programFile("data.txt");
    const ServiceAddress star = readHostsSettings(app).star;
    std::string service = star.protocol + ":" + star.address;
    if (const Result<std::string> bytes = readFileBytes(answer))
        if (const auto area = areaBeside(answer, *bytes); area && *area) service = (*area)->service;
    const std::string protocol = service.substr(0, service.find(':'));
    if (protocol == kLocalProtocol)
        return catalogueOfProtocol(localProtocolEquivalent(service.substr(protocol.size() + 1)));
    return catalogueOfProtocol(protocol).value_or(Catalogue::UsnoA2);
}

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
    if (!measureFrameOf(app).catalogue) {
        AddStatus(app.form1, app.platform.events, otherCatalogueText(app));
        return;
    }
    ws.mode = ClickMode::Measure;
    AddStatus(app.form1, app.platform.events,
              text(app, kStarted, "Measuring: click the object to measure; Measure again to stop."));
}

void measureClick(App& app) {
    WorkingState& ws = app.ws();
    if (!ws.refinement.solution) return;
    const WorkingState::MeasureFrame& frame = measureFrameOf(app);
    if (!frame.catalogue) {
        AddStatus(app.form1, app.platform.events, otherCatalogueText(app));
        return;
    }
    const Outcome<TargetMeasurement> target = measureTarget(frame.image, ws.clickX, ws.clickY, frame.calibration);
    if (!target) {
        AddStatus(app.form1, app.platform.events, text(app, kNothing, "No measurement: %1", {target.reason()}));
        return;
    }
    KeptMeasurement row;
    row.target = *target;
    row.image = imagePathOf(app, app.form1.txt_url.text);
    row.catalogue = *frame.catalogue;
    const Outcome<ObservationTime> time = pictureTime(app);
    if (time) row.mjdUtc = time->mjdUtc;
    const std::vector<ListedAsteroid> listed = listedAsteroids(ws);
    row.known = nearestListedAsteroid(target->raDeg, target->decDeg, listed);
    ws.measurements.push_back(row);
    placeMeasureMarkers(app.form1);

    const char separator = app.ctx.decimalSeparator;
    const TargetMeasurement& t = *target;
    std::string line = text(app, kMeasured, "Measurement %1: %2 +-%3\", %4, SNR %5",
                            {intToText(static_cast<long long>(ws.measurements.size())),
                             measuredRaText(t.raDeg, separator) + " " + measuredDecText(t.decDeg, separator),
                             fixedText(std::max(t.sigmaRaCosDecArcsec, t.sigmaDecArcsec), 2, separator),
                             t.mag ? "mag " + fixedText(*t.mag, 2, separator) : text(app, kNoMagnitude, "no magnitude"),
                             fixedText(t.snr, 0, separator)});
    if (row.known) line += ", " + row.known->designation + " O-C " + ocText(*row.known, separator) + "\"";
    line += ", " + (time ? isoUtcText(time->mjdUtc, 1) : text(app, kNoTime, "no time") + " (" + time.reason() + ")");
    AddStatus(app.form1, app.platform.events, line);
}

}  // namespace sextrix
