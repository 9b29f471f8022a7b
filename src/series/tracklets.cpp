#include "tracklets.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

#include "series/plane_grid.h"
#include "state/angle_units.h"

namespace sextrix {
namespace {

// The sources of every frame on one tangent plane about their mean
// direction, arcseconds; a source with no image on it is left out.
struct PlaneFrame {
    double minutes = 0;  // from the first epoch given
    std::vector<PixelPosition> at;
    std::vector<int> source;
};

PlaneFrame onPlane(const SeriesEpoch& epoch, double startMjd, const SkyDirection& centre,
                   const std::vector<bool>& keep = {}) {
    PlaneFrame frame;
    frame.minutes = (epoch.midTimeMjd - startMjd) * kMinutesPerDay;
    for (std::size_t i = 0; i < epoch.sources.size(); ++i) {
        if (!keep.empty() && !keep[i]) continue;
        const SkyDirection& s = epoch.sources[i].sky;
        const auto at = standardCoordinates(centre.raDeg, centre.decDeg, s.raDeg, s.decDeg);
        if (!at) continue;
        frame.at.push_back({at->x * 3600, at->y * 3600});
        frame.source.push_back(static_cast<int>(i));
    }
    return frame;
}

double toleranceOf(const TrackletSettings& settings) {
    return std::max(settings.minToleranceArcsec, 3 * settings.centroidSigmaArcsec);
}

// Per epoch and source: neither at a catalogue star nor stationary.
std::vector<std::vector<bool>> movingCandidates(std::span<const SeriesEpoch> epochs,
                                                std::span<const SkyDirection> catalogue, const SkyDirection& centre,
                                                const TrackletSettings& settings) {
    const double tolerance = toleranceOf(settings);
    std::vector<PixelPosition> stars;
    for (const SkyDirection& s : catalogue)
        if (const auto at = standardCoordinates(centre.raDeg, centre.decDeg, s.raDeg, s.decDeg))
            stars.push_back({at->x * 3600, at->y * 3600});
    const PlaneGrid starGrid(stars, settings.catalogueRadiusArcsec);
    std::vector<PlaneFrame> frames;
    std::vector<PlaneGrid> grids;
    for (const SeriesEpoch& e : epochs) {
        frames.push_back(onPlane(e, epochs.front().midTimeMjd, centre));
        grids.emplace_back(frames.back().at, tolerance);
    }
    const double apartMinutes = tolerance / settings.minRateArcsecPerMin;
    std::vector<std::vector<bool>> keep(epochs.size());
    for (std::size_t k = 0; k < frames.size(); ++k) {
        keep[k].assign(epochs[k].sources.size(), false);
        for (std::size_t i = 0; i < frames[k].at.size(); ++i) {
            const PixelPosition p = frames[k].at[i];
            if (starGrid.nearest(p.x, p.y, settings.catalogueRadiusArcsec) >= 0) continue;
            bool stationary = false;
            for (std::size_t m = 0; m < frames.size() && !stationary; ++m)
                stationary = std::abs(frames[m].minutes - frames[k].minutes) >= apartMinutes &&
                             grids[m].nearest(p.x, p.y, tolerance) >= 0;
            keep[k][static_cast<std::size_t>(frames[k].source[i])] = !stationary;
        }
    }
    return keep;
}

// The fit of linked points, its worst point dropped while a residual exceeds
// the tolerance; nothing when fewer than minFrames remain or the motion is
// not one looked for.
std::optional<Tracklet> fitted(std::vector<TrackletPoint> points, std::span<const SeriesEpoch> epochs,
                               const TrackletSettings& settings) {
    const double tolerance = toleranceOf(settings);
    std::sort(points.begin(), points.end(),
              [](const auto& a, const auto& b) { return a.position.mjd < b.position.mjd; });
    while (static_cast<int>(points.size()) >= settings.minFrames) {
        std::vector<TimedPosition> positions;
        for (const TrackletPoint& p : points) positions.push_back(p.position);
        MotionFit fit = fitUniformMotion(positions);
        const auto worst = std::max_element(fit.residualArcsec.begin(), fit.residualArcsec.end());
        if (*worst > tolerance) {
            points.erase(points.begin() + (worst - fit.residualArcsec.begin()));
            continue;
        }
        const double rate = std::hypot(fit.rate.raCosDecArcsecPerMin, fit.rate.decArcsecPerMin);
        const double minutes = (points.back().position.mjd - points.front().position.mjd) * kMinutesPerDay;
        const auto pixelOf = [&](const TrackletPoint& p) {
            return epochs[static_cast<std::size_t>(p.frame)].sources[static_cast<std::size_t>(p.source)].pixel;
        };
        const PixelPosition first = pixelOf(points.front()), last = pixelOf(points.back());
        if (rate < settings.minRateArcsecPerMin || rate > settings.maxRateArcsecPerMin ||
            rate * minutes < 2 * tolerance || std::hypot(last.x - first.x, last.y - first.y) < settings.fixedPatternPx)
            return std::nullopt;
        return Tracklet{std::move(points), std::move(fit)};
    }
    return std::nullopt;
}

bool better(const Tracklet& a, const Tracklet& b) {
    if (a.points.size() != b.points.size()) return a.points.size() > b.points.size();
    return a.fit.rmsArcsec < b.fit.rmsArcsec;
}

// The candidates of the frames that have any, in time order, with a grid
// each and the flags of the sources taken by a tracklet.
struct LinkFrame {
    int epoch = 0;
    PlaneFrame plane;
    PlaneGrid grid;
    std::vector<bool> taken;
};

}  // namespace

std::vector<std::pair<int, int>> seedPairs(int frames, int minFrames) {
    std::vector<std::pair<int, int>> pairs;
    for (int span = frames - 1; span >= std::max(1, minFrames - 1); --span)
        for (int a = 0; a + span < frames; ++a) pairs.emplace_back(a, a + span);
    return pairs;
}

std::vector<SeriesSource> frameSources(const std::vector<DetectedStar>& stars, const TanSolution& solution) {
    std::vector<SeriesSource> sources;
    sources.reserve(stars.size());
    for (const DetectedStar& s : stars) sources.push_back({tanPixelToSky(solution, s.x, s.y), {s.x, s.y}});
    return sources;
}

int minFramesForSeries(int frames) { return frames < 10 ? 3 : frames < 30 ? 4 : 5; }

std::vector<Tracklet> findTracklets(std::span<const SeriesEpoch> epochs, std::span<const SkyDirection> catalogue,
                                    const TrackletSettings& given) {
    TrackletSettings settings = given;
    if (settings.minFrames <= 0) settings.minFrames = minFramesForSeries(static_cast<int>(epochs.size()));
    std::vector<SkyDirection> all;
    for (const SeriesEpoch& e : epochs)
        for (const SeriesSource& s : e.sources) all.push_back(s.sky);
    if (all.empty()) return {};
    const SkyDirection centre = meanDirection(all);
    const double tolerance = toleranceOf(settings);
    const std::vector<std::vector<bool>> keep = movingCandidates(epochs, catalogue, centre, settings);

    std::vector<int> order(epochs.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return epochs[a].midTimeMjd < epochs[b].midTimeMjd; });
    std::vector<LinkFrame> frames;
    double farthest = 0;  // arcsec from the plane's centre
    for (int k : order) {
        PlaneFrame plane = onPlane(epochs[k], epochs.front().midTimeMjd, centre, keep[k]);
        if (plane.at.empty()) continue;
        for (const PixelPosition& p : plane.at) farthest = std::max(farthest, std::hypot(p.x, p.y));
        PlaneGrid grid(plane.at, tolerance);
        const std::vector<bool> taken(plane.at.size(), false);
        frames.push_back({k, std::move(plane), std::move(grid), taken});
    }
    const int n = static_cast<int>(frames.size());
    if (n < settings.minFrames || n < 2) return {};

    // The plane's scale changes by 2 r dr across a path dr at r from its
    // centre, which bends a uniform path by less than r dr times its length.
    const double curvature = toRadians(farthest / 3600) / 206264.806;
    std::vector<Tracklet> tracklets;
    for (const auto& [a, b] : seedPairs(n, settings.minFrames)) {
        LinkFrame& first = frames[static_cast<std::size_t>(a)];
        LinkFrame& last = frames[static_cast<std::size_t>(b)];
        const double minutes = last.plane.minutes - first.plane.minutes;
        if (!(minutes > 0)) continue;
        for (std::size_t i = 0; i < first.plane.at.size(); ++i) {
            if (first.taken[i]) continue;
            const PixelPosition p = first.plane.at[i];
            std::optional<Tracklet> best;
            for (int j : last.grid.within(p.x, p.y, settings.maxRateArcsecPerMin * minutes + tolerance)) {
                if (last.taken[static_cast<std::size_t>(j)]) continue;
                const PixelPosition q = last.plane.at[static_cast<std::size_t>(j)];
                const double path = std::hypot(q.x - p.x, q.y - p.y);
                const double reach = tolerance + curvature * path * path;
                std::vector<std::pair<int, int>> linked{{a, static_cast<int>(i)}, {b, j}};
                for (int m = 0; m < n; ++m) {
                    if (m == a || m == b) continue;
                    const LinkFrame& f = frames[static_cast<std::size_t>(m)];
                    const double share = (f.plane.minutes - first.plane.minutes) / minutes;
                    const int found =
                        f.grid.nearest(p.x + share * (q.x - p.x), p.y + share * (q.y - p.y), reach, f.taken);
                    if (found >= 0) linked.emplace_back(m, found);
                }
                if (static_cast<int>(linked.size()) < settings.minFrames) continue;
                std::vector<TrackletPoint> points;
                for (const auto& [m, index] : linked) {
                    const LinkFrame& f = frames[static_cast<std::size_t>(m)];
                    const int source = f.plane.source[static_cast<std::size_t>(index)];
                    const SeriesEpoch& e = epochs[static_cast<std::size_t>(f.epoch)];
                    points.push_back(
                        {f.epoch, source, {e.sources[static_cast<std::size_t>(source)].sky, e.midTimeMjd}});
                }
                std::optional<Tracklet> t = fitted(std::move(points), epochs, settings);
                if (t && (!best || better(*t, *best))) best = std::move(t);
            }
            if (!best) continue;
            for (const TrackletPoint& point : best->points)
                for (LinkFrame& f : frames)
                    if (f.epoch == point.frame) {
                        const auto at = std::find(f.plane.source.begin(), f.plane.source.end(), point.source);
                        f.taken[static_cast<std::size_t>(at - f.plane.source.begin())] = true;
                    }
            tracklets.push_back(std::move(*best));
        }
    }
    std::sort(tracklets.begin(), tracklets.end(), better);
    return tracklets;
}

}  // namespace sextrix
