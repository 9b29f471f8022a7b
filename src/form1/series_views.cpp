// The series window's pictures: the frames blinked on the first one's
// pixels with the objects' tracks, the stacks shown after them, the object
// measured on a stack along its motion, and the sky under the pointer.
#include <cmath>

#include "geometry/tan_projection.h"
#include "measurements.h"
#include "measuring.h"
#include "model/status.h"
#include "obstime/utc_time.h"
#include "refinement.h"
#include "series.h"
#include "series/frame_resampling.h"
#include "series/stack_measurement.h"
#include "series_frames.h"
#include "state/text_file.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr int kStackAlong = 222, kStackStill = 223, kStackMeasured = 230, kNoStackMeasure = 231, kChooseFirst = 232;

// Grey 0..255 of values on the reference grid, with the given levels.
SeriesModel::BlinkFrame greyFrame(std::string caption, int frame, const LuminanceImage& values,
                                  const StretchLevels& levels) {
    SeriesModel::BlinkFrame grey{std::move(caption), {}, frame};
    grey.grey.reserve(values.values.size());
    for (float v : values.values)
        grey.grey.push_back(
            static_cast<std::uint8_t>(std::isnan(v) ? 0 : stretchedGrey(v, levels, Stretch::Automatic)));
    return grey;
}

std::string stackCount(const std::vector<SeriesFrameState*>& frames) {
    return intToText(static_cast<long long>(frames.size()));
}

}  // namespace

void placeSeriesTracks(App& app) {
    SeriesModel& model = app.series;
    model.tracks.clear();
    const std::optional<SeriesReference> reference = seriesReference(app.ws().series);
    if (!reference) return;
    for (const SeriesObject& o : app.ws().series.objects) {
        std::vector<std::pair<double, double>> track;
        for (const SkyDirection& p : o.seen)
            if (const auto at = tanSkyToPixel(reference->grid.solution, p.raDeg, p.decDeg))
                track.emplace_back(at->x, at->y);
        model.tracks.push_back(std::move(track));
    }
}

std::string seriesPointerText(const App& app, double x, double y) {
    const std::optional<SeriesReference> reference = seriesReference(app.form1.ws.series);
    if (!reference) return {};
    const SkyDirection sky = tanPixelToSky(reference->grid.solution, x, y);
    const char separator = app.ctx.decimalSeparator;
    return measuredRaText(sky.raDeg, separator) + "  " + measuredDecText(sky.decDeg, separator);
}

void Series_Blink_Click(App& app) {
    SeriesState& series = app.ws().series;
    SeriesModel& model = app.series;
    model.blinkFrames.clear();
    model.mark.reset();
    series.firstMark.reset();
    const std::optional<SeriesReference> reference = seriesReference(series);
    if (!reference) return;
    const ReferenceGrid& grid = reference->grid;
    model.blinkWidth = grid.width;
    model.blinkHeight = grid.height;
    series.levels.reset();
    for (std::size_t k = 0; k < series.frames.size(); ++k) {
        const SeriesFrameState& f = series.frames[k];
        if (!f.solved()) continue;
        const LuminanceImage aligned = resampleFrame(f.values, *f.refinement.solution, grid);
        if (!series.levels) series.levels = stretchLevels(aligned, Stretch::Automatic);
        model.blinkFrames.push_back(greyFrame(fileNameOf(f.path) + (f.mjdUtc ? "  " + isoUtcText(*f.mjdUtc, 1) : ""),
                                              static_cast<int>(k), aligned, *series.levels));
        app.platform.events.yield();
    }
    placeSeriesTracks(app);
}

void Series_Stack_Click(App& app, int object) {
    SeriesState& series = app.ws().series;
    const std::optional<SeriesReference> reference = seriesReference(series);
    const std::vector<SeriesFrameState*> frames = timedSolvedFrames(series);
    if (!reference || frames.size() < 2) return;
    const bool along = object >= 0 && object < static_cast<int>(series.objects.size());
    StackSettings settings{StackMethod::Median, {}, std::nullopt};
    if (along) settings.rate = series.objects[static_cast<std::size_t>(object)].motion.rate;
    const Stack stack = withStackFrames(
        frames, [&](std::span<const SeriesFrame> lent) { return stackFrames(lent, reference->grid, settings); });
    const std::string mid = isoUtcText(stack.midTimeMjd, 1);
    const std::string caption =
        along ? seriesText(app, kStackAlong, "Median stack of %1 frames along object %2, mid-time %3",
                           {stackCount(frames), intToText(object + 1), mid})
              : seriesText(app, kStackStill, "Median stack of %1 frames on the stars, mid-time %2",
                           {stackCount(frames), mid});
    SeriesModel& model = app.series;
    if (model.blinkFrames.empty()) Series_Blink_Click(app);
    // The frames' levels: what shows above the frames' sky is what the stack brought out.
    model.blinkFrames.push_back(
        greyFrame(caption, -1, stack.image, series.levels.value_or(stretchLevels(stack.image, Stretch::Automatic))));
    model.summary = caption;
}

void Series_MeasureStack_Click(App& app, int object) {
    WorkingState& ws = app.ws();
    SeriesState& series = ws.series;
    SeriesModel& model = app.series;
    if (object < 0 || object >= static_cast<int>(series.objects.size())) {
        model.summary = seriesText(app, kChooseFirst, "Choose an object first.");
        return;
    }
    const std::optional<SeriesReference> reference = seriesReference(series);
    const std::vector<SeriesFrameState*> frames = timedSolvedFrames(series);
    if (!reference || frames.size() < 2) return;
    const std::optional<Catalogue> catalogueName = answerCatalogue(app);
    if (!catalogueName) {
        model.summary = otherCatalogueText(app);
        return;
    }
    const SeriesObject& chosen = series.objects[static_cast<std::size_t>(object)];
    const Outcome<StackMeasurement> measured = withStackFrames(frames, [&](std::span<const SeriesFrame> lent) {
        return measureOnStack(lent, reference->grid, reference->frame.refinement, referenceStarsOf(ws), chosen.motion);
    });
    if (!measured) {
        model.summary = seriesText(app, kNoStackMeasure, "No measurement on the stack: %1", {measured.reason()});
        return;
    }
    KeptMeasurement kept;
    kept.target = measured->target;
    kept.image = reference->frame.path;
    kept.mjdUtc = measured->midTimeMjd;
    kept.catalogue = *catalogueName;
    kept.designation = chosen.designation;
    ws.measurements.push_back(std::move(kept));
    placeMeasureMarkers(app.form1);
    const TargetMeasurement& t = measured->target;
    const char separator = app.ctx.decimalSeparator;
    AddStatus(app.form1, app.platform.events,
              seriesText(app, kStackMeasured, "Measured on the stack of %1 frames at %2: %3",
                         {stackCount(frames), isoUtcText(measured->midTimeMjd, 1),
                          measuredRaText(t.raDeg, separator) + " " + measuredDecText(t.decDeg, separator) +
                              (t.mag ? ", mag " + fixedText(*t.mag, 2, separator) : "") + ", SNR " +
                              fixedText(t.snr, 0, separator)}));
    model.summary = app.form1.status.items.front();
}

}  // namespace sextrix
