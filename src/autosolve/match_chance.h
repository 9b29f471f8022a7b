#pragma once
// How likely a set of matches is by chance.
//
// A wrong plate still puts some catalogue stars near detected stars: each
// predicted position has a detected star within the matching radius r with
// probability p = 1 - exp(-rho pi r^2), rho being the density of detected
// stars around it (a Poisson scatter of points). The number of chance
// matches among n predictions is then nearly Poisson with mean
// lambda = sum p, and the chance of at least m matches is the upper tail of
// that law. Densities are taken locally, on cells of a few radii, and never
// below the image's mean, so a rich cluster or a star cloud, where chance
// matches are many, asks for more matches than an empty sky.
#include <vector>

#include "detect/star_detection.h"
#include "geometry/tan_projection.h"

namespace sextrix {

// log10 P(X >= m) for X Poisson with mean lambda; 0 when m <= 0.
double log10PoissonTail(int m, double lambda);

// Counts of detected stars on square cells over the image.
class DetectionDensity {
public:
    DetectionDensity(const std::vector<DetectedStar>& stars, int width, int height, double cellPx);

    // Detected stars per square pixel around a point: the 3 x 3 cells about
    // it, never below the mean over the image.
    double at(double x, double y) const;

private:
    int columns_ = 1, rows_ = 1;
    double cell_ = 1, mean_ = 0;
    std::vector<int> counts_;
};

struct MatchEvidence {
    int predicted = 0;       // catalogue stars predicted on the image
    int matches = 0;         // of those, paired with a detected star
    double expected = 0;     // pairs a wrong plate would make by chance
    double log10Chance = 0;  // log10 of the chance of at least `matches` of them
};

// The evidence of predicted positions (non-finite ones take no part) paired
// with the detected stars within radiusPx. `free` matches are not counted
// as evidence (the picks, which the search matched by construction).
MatchEvidence matchEvidence(const std::vector<PixelPosition>& predicted, const std::vector<DetectedStar>& detected,
                            const DetectionDensity& density, double radiusPx, int free = 0);

}  // namespace sextrix
