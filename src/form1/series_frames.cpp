#include "series_frames.h"

#include <algorithm>

#include "captions.h"
#include "measure/frame_calibration.h"
#include "refinement.h"

namespace sextrix {

std::string seriesText(const App& app, int entry, const char* english, const std::vector<std::string>& values) {
    return laterFormEntry(app.ctx.lang, entry, english, values);
}

std::vector<SeriesFrameState*> timedSolvedFrames(SeriesState& series) {
    std::vector<SeriesFrameState*> frames;
    for (SeriesFrameState& f : series.frames)
        if (f.solved() && f.mjdUtc) frames.push_back(&f);
    return frames;
}

std::optional<SeriesReference> seriesReference(const SeriesState& series) {
    const auto first =
        std::find_if(series.frames.begin(), series.frames.end(), [](const SeriesFrameState& f) { return f.solved(); });
    if (first == series.frames.end()) return std::nullopt;
    return SeriesReference{*first, {*first->refinement.solution, first->values.width, first->values.height}};
}

const FrameCalibration& calibrationOf(App& app, SeriesFrameState& frame) {
    if (!frame.calibration)
        frame.calibration = calibrateFrame(frame.values, *frame.refinement.solution, frame.refinement,
                                           referenceStarsOf(app.ws()), frame.detected);
    return *frame.calibration;
}

}  // namespace sextrix
