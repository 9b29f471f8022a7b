#pragma once
// The sources a series links, detected deeper than a single frame is.
//
// A lone frame keeps only what stands 5 sigma above its sky, since the
// solver matches whatever it is given. A series goes down to 3 sigma: a
// tracklet needs the same uniform motion through at least three frames,
// which noise peaks scattered over the frames do not share, so the extra
// peaks seldom link. On simulated series (bench/series_sim_fields) 3 sigma
// finds nearly every object of SNR 7 in the aperture of apertureForFwhm
// where 5 sigma finds none, with no false tracklet; the peaks of the sky's
// noise are mostly held back by detectStars' smallest area and its peak
// share, so a frame gives about half again as many sources.
#include <vector>

#include "detect/star_detection.h"
#include "series/tracklets.h"

namespace sextrix {

// detectStars' settings with the series' threshold.
DetectSettings seriesDetectSettings();

// The frame's detections at the series' threshold, on the sky through its
// solution.
std::vector<SeriesSource> detectSeriesSources(const LuminanceImage& image, const TanSolution& solution,
                                              const DetectSettings& settings = seriesDetectSettings());

}  // namespace sextrix
