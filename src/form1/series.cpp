#include "series.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "autosolve/solve_field.h"
#include "box_numbers.h"
#include "captions.h"
#include "catalogue_files.h"
#include "chart.h"
#include "detect/luminance_image.h"
#include "fits/display_stretch.h"
#include "fits/fits_image.h"
#include "geometry/tan_projection.h"
#include "image_file.h"
#include "measure/frame_calibration.h"
#include "measurements.h"
#include "measuring.h"
#include "model/busy_guard.h"
#include "model/status.h"
#include "obstime/frame_time.h"
#include "obstime/utc_time.h"
#include "refinement.h"
#include "report/observer_settings.h"
#include "run_handler.h"
#include "series_frames.h"
#include "state/ordered_jobs.h"
#include "state/text_file.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr int kOpenSeries = 201, kCaption = 202, kState = 203, kStars = 204, kSolved = 205, kNotSolved = 206,
              kObject = 207, kRate = 208, kFrames = 209, kFind = 210, kMeasure = 211, kProgress = 212,
              kSolvedCount = 213, kCancelled = 217, kFilter = 218, kBlink = 219, kBlinkRate = 220, kStack = 221,
              kMarked = 224, kMeasureStack = 225;

std::string text(const App& app, int entry, const char* english, const std::vector<std::string>& values = {}) {
    return seriesText(app, entry, english, values);
}

// A frame's values as the detector reads them, and its time.
SeriesFrameState readFrame(App& app, const std::string& path, std::optional<double> cameraOffset) {
    SeriesFrameState frame;
    frame.path = path;
    std::map<std::string, std::string> keywords;
    if (isFitsFile(path)) {
        Result<FitsImage> fits = readFitsImage(path);
        if (!fits) {
            frame.failure = describe(fits.error());
            return frame;
        }
        frame.values = std::move(fits->image);
        keywords = std::move(fits->keywords);
    } else {
        const Result<DecodedImage> image = app.platform.images.decode(path);
        if (!image) {
            frame.failure = describe(image.error());
            return frame;
        }
        frame.values = luminanceImage(image->width, image->height, image->pixels);
    }
    const TimeReading time = frameTimeOf(path, isFitsFile(path) ? &keywords : nullptr, cameraOffset);
    if (time)
        frame.mjdUtc = time->mjdUtc;
    else
        frame.timeProblem = time.reason();
    return frame;
}

// What a worker hands back for one frame.
struct FrameSolved {
    std::vector<DetectedStar> detected;
    Refinement refinement;
    std::string failure;
};

std::string frameState(const App& app, const SeriesFrameState& f) {
    if (f.solved()) return text(app, kSolved, "solved");
    return text(app, kNotSolved, "not solved: %1", {f.failure});
}

}  // namespace

void fillSeriesModel(App& app) {
    const SeriesState& series = app.ws().series;
    SeriesModel& model = app.series;
    const char separator = app.ctx.decimalSeparator;
    model.caption = text(app, kCaption, "Series");
    model.frameColumns = {text(app, 182, "Image"), text(app, 183, "UTC date"), text(app, kState, "State"),
                          text(app, kStars, "Stars"), "RMS (\")"};
    model.candidateColumns = {text(app, kObject, "Object"), text(app, 184, "RA"), text(app, 185, "Dec"),
                              text(app, kRate, "Rate (\"/min)"), text(app, kFrames, "Frames")};
    model.cmdFind.caption = text(app, kFind, "Find moving objects");
    model.cmdMeasure.caption = text(app, kMeasure, "Measure on every frame");
    model.cmdClose.caption = text(app, 190, "Close");
    model.cmdBlink.caption = text(app, kBlink, "Blink");
    model.cmdStack.caption = text(app, kStack, "Stack");
    model.blinkRateUnit = text(app, kBlinkRate, "frames/s");
    model.frameRows.clear();
    int solved = 0;
    for (const SeriesFrameState& f : series.frames) {
        solved += f.solved() ? 1 : 0;
        model.frameRows.push_back({fileNameOf(f.path), f.mjdUtc ? isoUtcText(*f.mjdUtc, 1) : "-", frameState(app, f),
                                   f.solved() ? intToText(f.refinement.used) : "",
                                   f.solved() ? fixedText(f.refinement.rmsArcsec, 2, separator) : ""});
    }
    model.summary = text(app, kSolvedCount, "%1 of %2 frames solved",
                         {intToText(solved), intToText(static_cast<long long>(series.frames.size()))});
    model.candidateRows.clear();
    for (std::size_t k = 0; k < series.objects.size(); ++k) {
        const SeriesObject& o = series.objects[k];
        const double rate = std::hypot(o.motion.rate.raCosDecArcsecPerMin, o.motion.rate.decArcsecPerMin);
        std::string name = intToText(static_cast<long long>(k + 1));
        if (o.marked) name = text(app, kMarked, "%1, marked", {name});
        if (!o.designation.empty()) name += " (" + o.designation + ")";
        model.candidateRows.push_back({name, measuredRaText(o.motion.sky.raDeg, separator),
                                       measuredDecText(o.motion.sky.decDeg, separator), fixedText(rate, 2, separator),
                                       intToText(static_cast<long long>(o.seen.size()))});
    }
    model.cmdMeasureStack.caption = text(app, kMeasureStack, "Measure on the stack");
}

void mnu_openseries_Click(App& app) {
    const BusyGuard busy(app.ctx.stepRunning);
    if (!busy) return;
    const std::vector<std::string> paths = app.platform.dialogs.chooseFiles(
        {text(app, kOpenSeries, "Open series…"),
         text(app, kFilter, "Images (*.fits *.fit *.fts *.jpg *.jpeg *.png *.bmp)"), app.ctx.programFolder, false});
    if (paths.empty()) return;
    Form1Model& form = app.form1;
    WorkingState& ws = form.ws;
    const bool read = runHandler(app, [&] {
        ws.corrAsd = leadingBoxNumber(app, form.txt_corrasd.text, boxName(app.ctx.lang, 36, "Corr RA"));
        ws.corrDec = leadingBoxNumber(app, form.txt_corrdec.text, boxName(app.ctx.lang, 37, "Corr Dec"));
        const double tolerance = strictBoxNumber(app, form.txt_tolerance.text, boxName(app.ctx.lang, 33, "Tolerance:"));
        const StepCentre centre = CentreJ2000(app);
        READFILE(app, centre);
        SolveHints hints{centre.raDeg, centre.decDeg, ws.corrAsd, ws.corrDec, tolerance};
        const std::vector<ReferenceStar> catalogue = referenceStarsOf(ws);

        SeriesState series;
        const std::optional<double> cameraOffset = cameraUtcOffsetSetting(app.programFile("observer.cfg"));
        for (const std::string& path : paths) {
            series.frames.push_back(readFrame(app, path, cameraOffset));
            app.platform.events.yield();
        }
        std::stable_sort(series.frames.begin(), series.frames.end(),
                         [](const auto& a, const auto& b) { return a.mjdUtc && (!b.mjdUtc || *a.mjdUtc < *b.mjdUtc); });

        // The workers read the frames and the catalogue only; Esc stops the
        // frames not yet begun.
        std::atomic<bool> stop = false;
        app.ctx.downloadCancelled = false;
        form.CancelDownload.visible = true;
        const int count = static_cast<int>(series.frames.size());
        int done = 0;
        runInOrder(
            count, static_cast<int>(std::max(1u, std::thread::hardware_concurrency())),
            [&](int i) {
                const SeriesFrameState& f = series.frames[static_cast<std::size_t>(i)];
                FrameSolved solved;
                if (!f.failure.empty() || stop) {
                    solved.failure = f.failure.empty() ? "cancelled" : f.failure;
                    return solved;
                }
                solved.detected = detectStars(f.values);
                const SolveOutcome outcome =
                    solveField(solved.detected, f.values.width, f.values.height, catalogue, hints);
                if (outcome.solved)
                    solved.refinement = outcome.refinement;
                else
                    solved.failure = outcome.reason;
                return solved;
            },
            [&](FrameSolved solved) {
                SeriesFrameState& f = series.frames[static_cast<std::size_t>(done++)];
                f.detected = std::move(solved.detected);
                f.refinement = std::move(solved.refinement);
                f.failure = std::move(solved.failure);
                AddStatus(form, app.platform.events,
                          text(app, kProgress, "Series: frame %1 of %2, %3",
                               {intToText(done), intToText(count), frameState(app, f)}));
                if (app.ctx.downloadCancelled) stop = true;
            },
            [&] {
                app.platform.events.yield();
                if (app.ctx.downloadCancelled) stop = true;
            });
        form.CancelDownload.visible = false;
        if (stop) AddStatus(form, app.platform.events, text(app, kCancelled, "Series cancelled"));
        ws.series = std::move(series);
    });
    form.CancelDownload.visible = false;
    app.platform.events.yield();  // the main window without its Cancel button behind the series window
    if (!read) return;
    fillSeriesModel(app);
    app.platform.windows.showModal(WindowKey::Series);
}

}  // namespace sextrix
