#pragma once
// The frames of a series opened in the main window: each one's values, time,
// stars and solution, and the moving objects found across them.
#include <optional>
#include <string>
#include <vector>

#include "detect/star_detection.h"
#include "series/tracklets.h"
#include "state/luminance_plane.h"
#include "state/refinement_result.h"

namespace sextrix {

struct SeriesFrameState {
    std::string path;
    LuminanceImage values;
    std::optional<double> mjdUtc;  // the middle of the exposure
    std::string timeProblem;       // why there is none
    std::vector<DetectedStar> detected;
    Refinement refinement;  // its solution when the frame is solved
    std::string failure;    // why it is not solved; empty while it is not tried
    bool solved() const { return refinement.solution.has_value(); }
};

struct SeriesState {
    std::vector<SeriesFrameState> frames;  // by time; frames without one last
    std::vector<Tracklet> candidates;
};

}  // namespace sextrix
