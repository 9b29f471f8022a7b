#include "series/series_detection.h"

namespace sextrix {

DetectSettings seriesDetectSettings() {
    DetectSettings settings;
    settings.thresholdSigma = 3;
    return settings;
}

std::vector<SeriesSource> detectSeriesSources(const LuminanceImage& image, const TanSolution& solution,
                                              const DetectSettings& settings) {
    return frameSources(detectStars(image, settings), solution);
}

}  // namespace sextrix
