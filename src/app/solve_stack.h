#pragma once
// sextrix-solve --stack: the solved frames stacked on the first one's pixel
// grid (series/stacking.h), along the stars or shift-and-add along a
// motion, written as a FITS file with its WCS sidecar and, when the frames
// have times, its mid-time as DATE-AVG, so that the stack can be measured
// like any frame.
#include <optional>
#include <string>
#include <vector>

#include "series/pixel_combine.h"
#include "series/sky_motion.h"
#include "solve_frame.h"

namespace sextrix {

struct StackRequest {
    std::string path;  // --stack FILE
    StackMethod method = StackMethod::Mean;
    std::optional<SkyRate> rate;  // --stack-rate; none: along the stars
};

// "mean", "median" or "clipped"; nothing for another word.
std::optional<StackMethod> stackMethodNamed(const std::string& word);

// Writes the stack and returns the line that says so (with json, one JSON
// object {"stack": FILE, ...}); throws BadInput when
// fewer than two frames are solved or, for a stack along a motion, a frame
// has no time.
std::string writeStackOf(std::vector<KeptFrame> frames, const StackRequest& request, bool json);

}  // namespace sextrix
