#include "solve_measurements.h"

#include <cmath>
#include <cstdio>
#include <tuple>

#include "measure/frame_calibration.h"
#include "measure/reported_target.h"
#include "obstime/frame_time.h"
#include "obstime/utc_time.h"
#include "output_text.h"
#include "report/ades.h"
#include "report/designation.h"
#include "report/observer_settings.h"
#include "report/report_file.h"
#include "state/text_file.h"
#include "state/text_lines.h"

namespace sextrix {
namespace {

std::string pixelText(double x, double y) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f,%.1f", x, y);
    return text;
}

}  // namespace

Outcome<ObservationTime> frameTime(const std::string& timeText, const std::string& imagePath,
                                   const std::map<std::string, std::string>* fitsKeywords,
                                   std::optional<double> cameraUtcOffsetHours) {
    if (!timeText.empty()) return ObservationTime{mjdOf(*parseIsoTime(timeText)), "--time"};
    return frameTimeOf(imagePath, fitsKeywords, cameraUtcOffsetHours);
}

std::vector<std::string> designationTexts(const std::string& text) {
    std::vector<std::string> names;
    std::size_t from = 0;
    while (!text.empty()) {
        const std::size_t comma = text.find(',', from);
        names.push_back(trimmedText(text.substr(from, comma == std::string::npos ? comma : comma - from)));
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    return names;
}

std::string measureRequestProblem(const MeasureRequest& request) {
    if (request.wantsReport() && request.pixels.empty() && !request.moving)
        return "--mpc and --ades need a target: give --measure X,Y (or --moving)";
    if (request.wantsReport() && request.designationText.empty())
        return request.moving ? "--mpc and --ades need each moving object's --designation"
                              : "--mpc and --ades need the object's --designation";
    if (!request.adesPath.empty() && !adesFormatFor(request.adesPath))
        return "--ades writes FILE.psv or FILE.xml, not " + request.adesPath;
    if (!request.timeText.empty() && !parseIsoTime(request.timeText))
        return "--time takes a UTC date and time as 2026-12-08T03:14:15.5, not \"" + request.timeText + "\"";
    for (const std::string& name :
         request.moving ? designationTexts(request.designationText) : std::vector{request.designationText}) {
        if (name.empty() && request.designationText.empty()) continue;
        const auto designation = parseDesignation(name);
        if (!designation) return "--designation: " + designation.reason();
    }
    if (!request.station.empty() && !isStationCode(request.station))
        return "--station takes an observatory code of three characters (\"G70\"), not \"" + request.station + "\"";
    return {};
}

MeasureResult measureAndReport(const MeasureRequest& request, const MeasureInput& input) {
    MeasureResult result;
    // Settings that cannot be read stop the report only (below); the
    // measurements go on, with no camera offset.
    const Result<ObserverSettingsReading> read = loadObserverSettings(input.observerConfig);
    const Outcome<ObservationTime> time = frameTime(request.timeText, input.imagePath, input.fitsKeywords,
                                                    read ? read->settings.cameraUtcOffsetHours : std::nullopt);
    std::optional<Designation> designation;
    if (!request.designationText.empty()) designation = *parseDesignation(request.designationText);
    const FrameCalibration frame =
        calibrateFrame(input.image, input.outcome.solution, input.outcome.refinement, input.catalogue, input.detected);

    std::vector<ReportedMeasurement> reported;
    for (const auto& [x, y] : request.pixels) {
        nlohmann::ordered_json entry{{"x", x}, {"y", y}};
        const Outcome<TargetMeasurement> target = measureTarget(input.image, x, y, frame);
        if (!target) {
            entry["error"] = target.reason();
            result.lines.push_back("measure   " + pixelText(x, y) + ": " + target.reason());
            result.measurements.push_back(entry);
            continue;
        }
        const TargetMeasurement& t = *target;
        entry["x"] = rounded(t.x, 3);
        entry["y"] = rounded(t.y, 3);
        entry["ra_deg"] = rounded(t.raDeg, 7);
        entry["dec_deg"] = rounded(t.decDeg, 7);
        entry["rms_ra_arcsec"] = rounded(t.sigmaRaCosDecArcsec, 3);
        entry["rms_dec_arcsec"] = rounded(t.sigmaDecArcsec, 3);
        entry["mag"] = t.mag ? nlohmann::ordered_json(rounded(*t.mag, 2)) : nullptr;
        entry["rms_mag"] = t.mag ? nlohmann::ordered_json(rounded(t.sigmaMag, 2)) : nullptr;
        entry["snr"] = rounded(t.snr, 1);
        entry["saturated"] = t.saturated;
        entry["designation"] = designation ? nlohmann::ordered_json(displayName(*designation)) : nullptr;
        entry["obs_time"] = time ? nlohmann::ordered_json(isoUtcText(time->mjdUtc, 3)) : nullptr;
        result.measurements.push_back(entry);

        char magnitude[64] = "no magnitude";
        if (t.mag)
            std::snprintf(magnitude, sizeof magnitude, "mag %.2f +-%.2f", *t.mag, t.sigmaMag);
        else if (t.saturated)
            std::snprintf(magnitude, sizeof magnitude, "saturated, no magnitude");
        char line[256];
        std::snprintf(line, sizeof line, "measure   %s: RA %.6f Dec %+.6f (+-%.2f\" +-%.2f\"), SNR %.1f, %s",
                      pixelText(t.x, t.y).c_str(), t.raDeg, t.decDeg, t.sigmaRaCosDecArcsec, t.sigmaDecArcsec, t.snr,
                      magnitude);
        result.lines.push_back(line);
        if (designation && time) reported.push_back(reportedTarget(t, *designation, time->mjdUtc, input.catalogueName));
    }
    if (time)
        result.lines.push_back("time      " + isoUtcText(time->mjdUtc, 3) + " UTC, middle of the exposure (" +
                               time->source + ")");
    else
        result.lines.push_back("time      none: " + time.reason());

    if (!request.wantsReport()) return result;
    if (!time) {
        result.refusal = "no report without the time of the observation: " + time.reason() + " (give --time)";
        return result;
    }
    if (reported.empty()) {
        result.refusal = "no report: no target was measured";
        return result;
    }
    ReportFiles files = writeReports(request, reported, read);
    result.refusal = std::move(files.refusal);
    result.lines.insert(result.lines.end(), files.lines.begin(), files.lines.end());
    return result;
}

ReportFiles writeReports(const MeasureRequest& request, const std::vector<ReportedMeasurement>& reported,
                         const Result<ObserverSettingsReading>& read) {
    ReportFiles files;
    if (!read) {
        files.refusal = describe(read.error());
        return files;
    }
    ObserverSettings settings = read->settings;
    if (!request.station.empty()) settings.station = request.station;
    if (settings.station.empty()) {
        files.refusal = "no report without an observatory code: give --station or --observer-config";
        return files;
    }
    // Both texts are made before either file is written, so a refusal writes none.
    std::optional<std::string> mpcText, adesText;
    for (auto [path, kind, text] : {std::tuple{&request.mpcPath, ReportKind::Mpc80, &mpcText},
                                    std::tuple{&request.adesPath, reportKindFor(request.adesPath), &adesText}}) {
        if (path->empty()) continue;
        const Outcome<std::string> made = reportText(settings, reported, kind);
        if (!made) {
            files.refusal = made.reason();
            return files;
        }
        *text = *made;
    }
    if (mpcText) {
        writeFileBytes(request.mpcPath, *mpcText);
        files.lines.push_back("mpc       " + request.mpcPath);
    }
    if (adesText) {
        writeFileBytes(request.adesPath, *adesText);
        files.lines.push_back("ades      " + request.adesPath);
    }
    return files;
}

}  // namespace sextrix
