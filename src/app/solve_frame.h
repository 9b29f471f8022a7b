#pragma once
// sextrix-solve's work on one image: decoded, its stars detected and
// identified against the catalogue every image shares, the sidecar written,
// the measurements taken, and what the run prints of it. Safe to run for
// several images at once: the shared inputs are only read.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "autosolve/solve_field.h"
#include "catalog/catalogue_area.h"
#include "solve_measurements.h"

namespace sextrix {

// Input the run cannot use: exit status 2 with the reason.
struct BadInput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What every image of the run shares.
struct SharedSolve {
    std::vector<ReferenceStar> catalogue;
    std::string cataloguePath;                    // --catalogue; empty for a download
    std::optional<CatalogueArea> area;            // the area kept beside it
    std::string areaProblem;                      // why that area cannot be read
    Catalogue catalogueName = Catalogue::UsnoA2;  // for the reports
    SolveHints hints;
    std::optional<FivePicks> picks;
    MeasureRequest measure;
    std::string observerConfig;  // the settings file the reports read
    bool json = false;
    bool several = false;  // more than one image: each block names its image
    // --moving: every solved frame is kept, with its time, for the search
    // for moving objects once all are solved.
    bool keepFrames = false;
    std::optional<double> cameraUtcOffsetHours;  // for the times of EXIF frames
    // --blind: no hints; each frame's field is searched in the index and
    // proven on the local catalogue's stars around it.
    const class BlindSolver* blind = nullptr;
};

// A solved frame as the search for moving objects takes it.
struct KeptFrame {
    std::string image;
    LuminanceImage values;
    SolveOutcome outcome;
    std::vector<DetectedStar> detected;
    std::optional<double> mjdUtc;  // the middle of the exposure
    std::string timeProblem;       // why there is no time
};

// One image's part of the output, and its exit status (0 solved, 1 no
// solution, 2 bad input).
struct FrameReport {
    int status = 0;
    std::string out;                // stdout: the JSON line or the plain block
    std::string err;                // stderr lines
    std::string warning;            // the catalogue's area left behind, or empty
    std::optional<KeptFrame> kept;  // with keepFrames, a solved frame
};

struct ImageSize {
    int width = 0, height = 0;
};

// The size of the first of these images that can be read; nothing when none can.
std::optional<ImageSize> firstImageSize(const std::vector<std::string>& paths);

// Never throws: a frame that cannot be read or solved says why in its report.
FrameReport solveFrame(const std::string& imagePath, const std::string& wcsPath, const SharedSolve& shared);

}  // namespace sextrix
