#pragma once
// The moving objects of a series: sources of the frames, on the sky, linked
// into tracklets of uniform motion.
//
// Sources within catalogueRadiusArcsec of a catalogue star go first, then
// the stationary ones: a source with another at its place (within the
// tolerance, max(minToleranceArcsec, 3 centroidSigmaArcsec)) on a frame
// taken at least tolerance / minRate earlier or later. Frames closer in time
// do not count, since an object at the slowest rate looked for has not yet
// left the tolerance between them.
//
// The rest are linked from anchor pairs: a source of one frame that has any
// left and one of a later frame, at most maxRate apart in the time between
// them. The line through them predicts the other frames, where the nearest
// source left within the tolerance (widened by the common plane's curvature
// over the path) joins; each frame is one lookup in a grid, so the work
// grows as the anchor pairs times the frames, not as the cube of the
// sources. The anchor frames are every pair at least minFrames - 1 apart
// (seedPairs), the widest first: an object seen on any minFrames of the
// frames has its first and last among them, whichever frames it is missed
// on, and the longest pair that holds it predicts the others best. The pair gathering the most frames (then
// the lowest RMS) is fitted (motion_fit.h), its worst position dropped while
// a residual exceeds the tolerance, and kept as a tracklet when at least
// minFrames remain, its rate lies between minRate and maxRate (arcsec per
// minute on the sky), it moves at least twice the tolerance over its frames
// and at least fixedPatternPx on the frames' pixels (a defect of the camera
// stays on its pixel while the field drifts; 0 lets an object the telescope
// tracked through). Its sources are then taken. A hot pixel or a cosmic ray
// is on one frame only, and a faint star is stationary, so neither links.
//
// The rate limits: below 0.1"/min an object moves less than 6" in an hour,
// within the reach of field stars and of the stationary test on most
// series; above 60"/min (fast near-Earth objects) it trails on exposures of
// a minute and is no longer a point for the detector.
#include <span>
#include <utility>
#include <vector>

#include "detect/star_detection.h"
#include "geometry/tan_projection.h"
#include "series/motion_fit.h"
#include "state/tan_solution.h"

namespace sextrix {

struct SeriesSource {
    SkyDirection sky;  // J2000.0 degrees
    PixelPosition pixel;
};

// One frame's detections on the sky through its solution.
std::vector<SeriesSource> frameSources(const std::vector<DetectedStar>& stars, const TanSolution& solution);

struct SeriesEpoch {
    double midTimeMjd = 0;
    std::vector<SeriesSource> sources;
};

struct TrackletSettings {
    double centroidSigmaArcsec = 0.3;
    double minToleranceArcsec = 0.5;
    double catalogueRadiusArcsec = 2;
    double minRateArcsecPerMin = 0.1;
    double maxRateArcsecPerMin = 60;
    int minFrames = 0;  // 0: minFramesForSeries of the frames given
    double fixedPatternPx = 1;
};

struct TrackletPoint {
    int frame = 0;   // index in the epochs given
    int source = 0;  // index in that epoch's sources
    TimedPosition position;
};

struct Tracklet {
    std::vector<TrackletPoint> points;  // by time
    MotionFit fit;
};

// The anchor frames (indices in time order among the frames that have
// candidates) in the order they are tried: every pair at least minFrames - 1
// apart (at least 1), the widest first, then by the earlier frame. For
// minFrames 3 that is (n - 1)(n - 2) / 2 pairs: 6 of 5 frames, 1176 of 50.
std::vector<std::pair<int, int>> seedPairs(int frames, int minFrames);

// The fewest frames a tracklet of a series of this many frames needs: 3 up
// to 9 frames, 4 up to 29, then 5. Sources that happen to line up on three
// frames grow with the frames of the series and their sources: on 50 frames
// of 1000 sources each, three-frame chance alignments run to a hundred and
// more, while a real object is seen on most of the frames.
int minFramesForSeries(int frames);

// Most frames first, then the lowest RMS.
std::vector<Tracklet> findTracklets(std::span<const SeriesEpoch> epochs, std::span<const SkyDirection> catalogue,
                                    const TrackletSettings& settings = {});

}  // namespace sextrix
