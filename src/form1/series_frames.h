#pragma once
// What the series window's handlers share: the frames they work on, the
// first solved frame's pixels that everything is laid on, each frame's
// calibration for measuring, and their texts.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/app.h"
#include "series/stacking.h"

namespace sextrix {

std::string seriesText(const App& app, int entry, const char* english, const std::vector<std::string>& values = {});

// The solved frames that have a time, in time order.
std::vector<SeriesFrameState*> timedSolvedFrames(SeriesState& series);

// The first solved frame and its pixels, on which the blinking frames, the
// marks and the stacks lie; none when no frame is solved.
struct SeriesReference {
    const SeriesFrameState& frame;
    ReferenceGrid grid;
};
std::optional<SeriesReference> seriesReference(const SeriesState& series);

// The frame's solution, zero point and star width for measuring on it,
// worked out the first time they are asked for.
const FrameCalibration& calibrationOf(App& app, SeriesFrameState& frame);

// Lends the frames' values to a stack and takes them back after, so that
// each is held once however the work ends.
template <class Work>
auto withStackFrames(const std::vector<SeriesFrameState*>& frames, Work&& work) {
    std::vector<SeriesFrame> lent;
    for (SeriesFrameState* f : frames) lent.push_back({std::move(f->values), *f->refinement.solution, *f->mjdUtc});
    struct GiveBack {
        const std::vector<SeriesFrameState*>& frames;
        std::vector<SeriesFrame>& lent;
        ~GiveBack() {
            for (std::size_t k = 0; k < lent.size(); ++k) frames[k]->values = std::move(lent[k].image);
        }
    } giveBack{frames, lent};
    return work(std::span<const SeriesFrame>(lent));
}

}  // namespace sextrix
