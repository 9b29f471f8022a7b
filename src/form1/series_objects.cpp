// The series window's moving objects: found across the frames, marked by
// hand with two clicks, and measured on every frame.
#include <algorithm>
#include <cmath>
#include <thread>

#include "geometry/tan_projection.h"

#include "measurements.h"
#include "measuring.h"
#include "model/status.h"
#include "obstime/utc_time.h"
#include "refinement.h"
#include "series.h"
#include "series/series_detection.h"
#include "series_frames.h"
#include "state/ordered_jobs.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr int kTooFew = 215, kFound = 214, kAdded = 216, kMarkedFirst = 226, kMarkedObject = 227, kNoMark = 228,
              kNotOnStack = 229;

// The series' object made of a tracklet, named after the listed asteroid it
// is when the list downloaded in this session is of the series' night.
SeriesObject objectOf(const Tracklet& tracklet, const WorkingState& ws) {
    SeriesObject object{motionOf(tracklet), {}, {}, false};
    for (const TrackletPoint& p : tracklet.points) object.seen.push_back(p.position.sky);
    if (ws.asteroidMjd)
        if (const auto known = listedAsteroidOf(object.motion, listedAsteroids(ws), *ws.asteroidMjd))
            object.designation = known->designation;
    return object;
}

}  // namespace

void Series_Find_Click(App& app) {
    SeriesState& series = app.ws().series;
    const std::vector<SeriesFrameState*> frames = timedSolvedFrames(series);
    std::erase_if(series.objects, [](const SeriesObject& o) { return !o.marked; });
    if (frames.size() < 3) {
        fillSeriesModel(app);
        app.series.summary = seriesText(app, kTooFew, "At least 3 solved frames with a time are needed.");
        return;
    }
    // The frames' sources on worker threads (solved frames hold no value the
    // detector refuses), the window answering meanwhile.
    std::vector<SeriesEpoch> epochs;
    runInOrder(
        static_cast<int>(frames.size()), static_cast<int>(std::max(1u, std::thread::hardware_concurrency())),
        [&](int i) {
            const SeriesFrameState& f = *frames[static_cast<std::size_t>(i)];
            return SeriesEpoch{*f.mjdUtc, detectSeriesSources(f.values, *f.refinement.solution)};
        },
        [&](SeriesEpoch epoch) { epochs.push_back(std::move(epoch)); }, [&] { app.platform.events.yield(); });
    std::vector<SkyDirection> stars;
    for (const ReferenceStar& star : referenceStarsOf(app.ws())) stars.push_back({star.raDeg, star.decDeg});
    const std::vector<Tracklet> found = findTracklets(epochs, stars);
    std::vector<SeriesObject> objects;
    for (const Tracklet& t : found) objects.push_back(objectOf(t, app.ws()));
    objects.insert(objects.end(), series.objects.begin(), series.objects.end());
    series.objects = std::move(objects);
    fillSeriesModel(app);
    app.series.summary =
        seriesText(app, kFound, "%1 moving object(s) in %2 frames with a time",
                   {intToText(static_cast<long long>(found.size())), intToText(static_cast<long long>(frames.size()))});
}

bool Series_Mark_Click(App& app, int shown, double x, double y) {
    SeriesState& series = app.ws().series;
    SeriesModel& model = app.series;
    const std::optional<SeriesReference> reference = seriesReference(series);
    if (!reference || shown < 0 || shown >= static_cast<int>(model.blinkFrames.size())) return false;
    const int index = model.blinkFrames[static_cast<std::size_t>(shown)].frame;
    if (index < 0) {
        model.summary = seriesText(app, kNotOnStack, "Click the object on a frame, not on the stack.");
        return false;
    }
    SeriesFrameState& frame = series.frames[static_cast<std::size_t>(index)];
    const auto refused = [&](const std::string& reason) {
        model.summary = seriesText(app, kNoMark, "Nothing to mark here: %1", {reason});
        return false;
    };
    if (!frame.mjdUtc) return refused(frame.timeProblem);
    // The object's own centroid on its frame, not the click.
    const SkyDirection clicked = tanPixelToSky(reference->grid.solution, x, y);
    const auto onFrame = tanSkyToPixel(*frame.refinement.solution, clicked.raDeg, clicked.decDeg);
    if (!onFrame) return refused("off the frame");
    const Outcome<TargetMeasurement> at =
        measureTarget(frame.values, onFrame->x, onFrame->y, calibrationOf(app, frame));
    if (!at) return refused(at.reason());
    const TimedPosition here{{at->raDeg, at->decDeg}, *frame.mjdUtc};
    if (const auto at = tanSkyToPixel(reference->grid.solution, here.sky.raDeg, here.sky.decDeg))
        model.mark = std::pair{at->x, at->y};
    if (!series.firstMark || series.firstMark->mjd == here.mjd) {
        series.firstMark = here;
        model.summary = seriesText(app, kMarkedFirst, "Marked on this frame; now click the object on another frame.");
        return false;
    }
    const Outcome<ObjectMotion> motion = motionBetween(*series.firstMark, here);
    if (!motion) return refused(motion.reason());
    const bool later = here.mjd > series.firstMark->mjd;
    series.objects.push_back(
        {*motion, {later ? series.firstMark->sky : here.sky, later ? here.sky : series.firstMark->sky}, {}, true});
    series.firstMark.reset();
    model.mark.reset();
    fillSeriesModel(app);
    placeSeriesTracks(app);
    const SkyRate& rate = motion->rate;
    model.summary = seriesText(
        app, kMarkedObject, "Object %1 marked: %2\"/min",
        {intToText(static_cast<long long>(series.objects.size())),
         fixedText(std::hypot(rate.raCosDecArcsecPerMin, rate.decArcsecPerMin), 2, app.ctx.decimalSeparator)});
    return true;
}

void Series_Measure_Click(App& app, int object) {
    WorkingState& ws = app.ws();
    SeriesState& series = ws.series;
    if (object < 0 || object >= static_cast<int>(series.objects.size())) return;
    const SeriesObject& chosen = series.objects[static_cast<std::size_t>(object)];
    const std::vector<SeriesFrameState*> frames = timedSolvedFrames(series);
    std::vector<MeasurableFrame> measurable;
    for (SeriesFrameState* f : frames) measurable.push_back({f->values, calibrationOf(app, *f), *f->mjdUtc});
    const auto measured = measureAlongMotion(measurable, chosen.motion);
    const std::optional<Catalogue> catalogueName = answerCatalogue(app);
    if (!catalogueName) {
        app.series.summary = otherCatalogueText(app);
        return;
    }
    int added = 0;
    for (std::size_t k = 0; k < measured.size(); ++k) {
        if (!measured[k]) continue;
        KeptMeasurement kept;
        kept.target = *measured[k];
        kept.image = frames[k]->path;
        kept.mjdUtc = frames[k]->mjdUtc;
        kept.catalogue = *catalogueName;
        kept.designation = chosen.designation;
        ws.measurements.push_back(std::move(kept));
        ++added;
    }
    placeMeasureMarkers(app.form1);
    AddStatus(app.form1, app.platform.events,
              seriesText(app, kAdded, "%1 measurements added to the measurements list", {intToText(added)}));
    app.series.summary = app.form1.status.items.front();
}

}  // namespace sextrix
