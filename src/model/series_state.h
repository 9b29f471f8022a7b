#pragma once
// The frames of a series opened in the main window: each one's values, time,
// stars and solution, and the moving objects found or marked across them.
#include <optional>
#include <string>
#include <vector>

#include "detect/star_detection.h"
#include "fits/display_stretch.h"
#include "measure/target_measurement.h"
#include "series/series_measurement.h"
#include "state/luminance_plane.h"
#include "state/refinement_result.h"

namespace sextrix {

struct SeriesFrameState {
    std::string path;
    LuminanceImage values;
    std::optional<double> mjdUtc;  // the middle of the exposure
    std::string timeProblem;       // why there is none
    std::vector<DetectedStar> detected;
    Refinement refinement;                        // its solution when the frame is solved
    std::string failure;                          // why it is not solved; empty while it is not tried
    std::optional<FrameCalibration> calibration;  // for measuring, worked out on first use
    bool solved() const { return refinement.solution.has_value(); }
};

// A moving object of the series: a tracklet found across the frames, or one
// the user marked with a click on each of two frames.
struct SeriesObject {
    ObjectMotion motion;
    std::vector<SkyDirection> seen;  // where it was found or clicked, by time
    std::string designation;         // the listed asteroid it is; empty when none
    bool marked = false;
};

struct SeriesState {
    std::vector<SeriesFrameState> frames;  // by time; frames without one last
    std::vector<SeriesObject> objects;
    std::optional<TimedPosition> firstMark;  // the first click of an object being marked
    std::optional<StretchLevels> levels;     // the first blinking frame's, which every frame is shown with
};

}  // namespace sextrix
