#include "solve_moving.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>

#include "measure/frame_calibration.h"
#include "measure/reported_target.h"
#include "obstime/utc_time.h"
#include "output_text.h"
#include "report/designation.h"
#include "series/series_detection.h"
#include "series/series_measurement.h"
#include "series/tracklets.h"

namespace sextrix {
namespace {

constexpr int kMinFrames = 3;

// The frames with a time, and what the measurements need of each.
struct UsableFrames {
    std::vector<const KeptFrame*> frames;
    std::vector<FrameCalibration> calibrations;
};

nlohmann::ordered_json measurementJson(const KeptFrame& frame, const Outcome<TargetMeasurement>& m) {
    nlohmann::ordered_json entry{{"image", frame.image}, {"obs_time", isoUtcText(*frame.mjdUtc, 3)}};
    if (!m) {
        entry["error"] = m.reason();
        return entry;
    }
    entry["x"] = rounded(m->x, 3);
    entry["y"] = rounded(m->y, 3);
    entry["ra_deg"] = rounded(m->raDeg, 7);
    entry["dec_deg"] = rounded(m->decDeg, 7);
    entry["rms_ra_arcsec"] = rounded(m->sigmaRaCosDecArcsec, 3);
    entry["rms_dec_arcsec"] = rounded(m->sigmaDecArcsec, 3);
    entry["mag"] = m->mag ? nlohmann::ordered_json(rounded(*m->mag, 2)) : nullptr;
    entry["snr"] = rounded(m->snr, 1);
    return entry;
}

std::string measurementLine(const KeptFrame& frame, const Outcome<TargetMeasurement>& m) {
    const std::string head = "  " + frame.image + "  " + isoUtcText(*frame.mjdUtc, 1);
    if (!m) return head + "  not measured: " + m.reason() + "\n";
    const std::string mag = m->mag ? format("mag %.2f", *m->mag) : std::string("no magnitude");
    return head + format("  RA %.6f Dec %+.6f (+-%.2f\" +-%.2f\")  %s  SNR %.1f\n", m->raDeg, m->decDeg,
                         m->sigmaRaCosDecArcsec, m->sigmaDecArcsec, mag.c_str(), m->snr);
}

}  // namespace

MovingReport reportMovingObjects(const std::vector<KeptFrame>& frames, const SharedSolve& shared, bool json) {
    const std::vector<ReferenceStar>& catalogue = shared.catalogue;
    const MeasureRequest& request = shared.measure;
    const std::vector<std::string> names = designationTexts(request.designationText);
    MovingReport report;
    UsableFrames usable;
    std::vector<SeriesEpoch> epochs;
    for (const KeptFrame& frame : frames) {
        if (!frame.mjdUtc) {
            report.err += "sextrix-solve: " + frame.image +
                          ": left out of the search for moving objects: " + frame.timeProblem + "\n";
            continue;
        }
        usable.frames.push_back(&frame);
        usable.calibrations.push_back(
            calibrateFrame(frame.values, frame.outcome.solution, frame.outcome.refinement, catalogue, frame.detected));
        epochs.push_back({*frame.mjdUtc, detectSeriesSources(frame.values, frame.outcome.solution)});
    }
    std::vector<Tracklet> tracklets;
    if (static_cast<int>(epochs.size()) >= kMinFrames) {
        std::vector<SkyDirection> stars;
        for (const ReferenceStar& star : catalogue) stars.push_back({star.raDeg, star.decDeg});
        tracklets = findTracklets(epochs, stars);
    }
    std::vector<MeasurableFrame> measurable;
    for (std::size_t k = 0; k < usable.frames.size(); ++k)
        measurable.push_back({usable.frames[k]->values, usable.calibrations[k], *usable.frames[k]->mjdUtc});

    nlohmann::ordered_json objects = nlohmann::ordered_json::array();
    if (epochs.size() < kMinFrames)
        report.out = format("moving    none looked for: %d solved frames with a time, %d needed\n",
                            static_cast<int>(epochs.size()), kMinFrames);
    else
        report.out = format("moving    %zu object(s) in %zu frames\n", tracklets.size(), epochs.size());
    const bool named = names.size() == tracklets.size();
    std::vector<ReportedMeasurement> reported;
    for (std::size_t i = 0; i < tracklets.size(); ++i) {
        const Tracklet& t = tracklets[i];
        const ObjectMotion motion = motionOf(t);
        const double rate = std::hypot(motion.rate.raCosDecArcsecPerMin, motion.rate.decArcsecPerMin);
        const auto measured = measureAlongMotion(measurable, motion);
        nlohmann::ordered_json object{{"ra_deg", rounded(motion.sky.raDeg, 7)},
                                      {"dec_deg", rounded(motion.sky.decDeg, 7)},
                                      {"at", isoUtcText(motion.mjd, 1)},
                                      {"rate_ra_arcsec_per_min", rounded(motion.rate.raCosDecArcsecPerMin, 3)},
                                      {"rate_dec_arcsec_per_min", rounded(motion.rate.decArcsecPerMin, 3)},
                                      {"linked_frames", t.points.size()},
                                      {"rms_arcsec", rounded(t.fit.rmsArcsec, 3)}};
        if (named) object["designation"] = names[i];
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        report.out += format(
            "object %zu  RA %.6f Dec %+.6f at %s, %.2f\"/min (RA cos Dec %+.2f, Dec %+.2f), "
            "%zu frames linked, rms %.2f\"\n",
            i + 1, motion.sky.raDeg, motion.sky.decDeg, isoUtcText(motion.mjd, 1).c_str(), rate,
            motion.rate.raCosDecArcsecPerMin, motion.rate.decArcsecPerMin, t.points.size(), t.fit.rmsArcsec);
        for (std::size_t k = 0; k < measured.size(); ++k) {
            list.push_back(measurementJson(*usable.frames[k], measured[k]));
            report.out += measurementLine(*usable.frames[k], measured[k]);
            if (named && measured[k])
                reported.push_back(reportedTarget(*measured[k], *parseDesignation(names[i]), *usable.frames[k]->mjdUtc,
                                                  shared.catalogueName));
        }
        object["measurements"] = list;
        objects.push_back(object);
    }
    if (request.wantsReport()) {
        if (!named)
            report.refusal = format(
                "no report: %zu moving object(s) found and %zu designation(s) given; name each, in "
                "the order listed, with --designation A,B,...",
                tracklets.size(), names.size());
        else if (reported.empty())
            report.refusal = "no report: no moving object was measured";
        else {
            const ReportFiles files = writeReports(request, reported, loadObserverSettings(shared.observerConfig));
            report.refusal = files.refusal;
            for (const std::string& line : files.lines) report.out += line + "\n";
        }
    }
    if (json)
        report.out = nlohmann::ordered_json{{"moving", objects}, {"frames_searched", epochs.size()}}.dump(
                         -1, ' ', false, nlohmann::json::error_handler_t::replace) +
                     "\n";
    return report;
}

}  // namespace sextrix
