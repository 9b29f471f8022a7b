#pragma once
// Stacks of a series on the reference grid: along the stars (a zero rate), or
// shift-and-add along a motion, each frame's content moved back on the sky by
// rate * (its time - the reference time) so that an object moving at that
// rate piles up where it was at the reference time.
//
// The frames are read where they are, once each; they are resampled a band
// of rows at a time, so besides the stack the memory is one band per frame.
// A pixel that some frames do not cover is combined from those that do.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "series/frame_resampling.h"
#include "series/pixel_combine.h"
#include "series/sky_motion.h"
#include "state/luminance_plane.h"
#include "state/tan_solution.h"

namespace sextrix {

struct SeriesFrame {
    LuminanceImage image;
    TanSolution solution;
    double midTimeMjd = 0;  // the middle of the exposure, UTC
};

struct StackSettings {
    StackMethod method = StackMethod::Mean;
    SkyRate rate;  // zero: the stars' stack
    // The time the stacked object's place belongs to; nothing: the stack's
    // mid-time.
    std::optional<double> referenceMjd;
    int bandRows = 64;
};

struct Stack {
    // NaN where no frame covers the pixel; the white level is the lowest
    // among the frames'.
    LuminanceImage image;
    std::vector<std::uint16_t> frameCount;  // frames combined in each pixel
    double midTimeMjd = 0;                  // the mean of the frames' times
    double referenceMjd = 0;                // the time the shift is counted from
};

// The stack's image with its uncovered pixels at the median of the covered
// ones: the detector and the photometry take no NaN, and read them as sky.
LuminanceImage detectableStack(LuminanceImage image);

// Throws std::invalid_argument for no frame, more than 65535, an empty grid,
// a band below 1 row, or a frame resampleRows refuses.
Stack stackFrames(std::span<const SeriesFrame> frames, const ReferenceGrid& reference,
                  const StackSettings& settings = {});

}  // namespace sextrix
