#include "frame_calibration.h"

#include <algorithm>
#include <unordered_map>

#include "frame_zero_point.h"

namespace sextrix {

FrameCalibration calibrateFrame(const LuminanceImage& image, const TanSolution& solution, const Refinement& refinement,
                                const std::vector<ReferenceStar>& catalogue,
                                const std::vector<DetectedStar>& detected) {
    FrameCalibration frame;
    frame.solution = solution;
    frame.fitRmsArcsec = refinement.rmsArcsec;

    std::vector<double> widths;
    for (const auto& star : detected)
        if (!star.has(StarSaturated) && !star.has(StarBlended) && !star.has(StarEdge) && star.fwhm > 0)
            widths.push_back(star.fwhm);
    if (!widths.empty()) {
        const auto middle = widths.begin() + static_cast<std::ptrdiff_t>(widths.size() / 2);
        std::nth_element(widths.begin(), middle, widths.end());
        frame.fwhm = *middle;
    }

    std::unordered_map<std::string, double> magnitudes;
    for (const auto& star : catalogue)
        if (star.mag) magnitudes.emplace(star.id, *star.mag);
    std::vector<MatchedCatalogueStar> matched;
    for (const auto& row : refinement.residuals) {
        const auto it = magnitudes.find(row.id);
        if (row.used && it != magnitudes.end()) matched.push_back({row.x, row.y, it->second});
    }
    if (frame.fwhm > 0) frame.zeroPoint = frameZeroPoint(image, matched, frame.fwhm);
    return frame;
}

}  // namespace sextrix
