#include "blind_solve.h"

#include <cmath>
#include <stdexcept>

#include "state/angle_units.h"

namespace sextrix {
namespace {

LocalCatalogue openedCatalogue(const std::string& path) {
    Result<LocalCatalogue> opened = LocalCatalogue::open(path);
    if (!opened) throw std::runtime_error(describe(opened.error()));
    return std::move(*opened);
}

BlindIndex loadedIndex(const std::string& path) {
    Result<BlindIndex> loaded = BlindIndex::load(path);
    if (!loaded)
        throw std::runtime_error(describe(loaded.error()) + " (make it with: sextrix-catalog index CATALOGUE)");
    return std::move(*loaded);
}

}  // namespace

BlindSolver::BlindSolver(const std::string& cataloguePath, const std::string& indexPath, BlindSettings settings,
                         double magLimit)
    : catalogue_(openedCatalogue(cataloguePath)), index_(loadedIndex(indexPath)), settings_(settings),
      magLimit_(magLimit) {}

BlindSolve BlindSolver::solve(const std::vector<DetectedStar>& detected, int width, int height) const {
    BlindSolve result;
    std::vector<PlanePoint> stars;
    for (const DetectedStar& s : detected) stars.push_back({s.x, s.y});
    // The hints are a plate already, its scale known to a few parts in a
    // thousand: a right one is found in the first searches, so a wrong one
    // is given few. The triangles stay, for frames whose brightest sources
    // are galaxies or blends that the figures' picks come from.
    SolveSettings proof;
    proof.maxSearches = 30;
    proof.maxProofs = 10;
    proof.scaleUncertainty = 0.01;
    proof.trianglePool = 40;
    result.stats = blindSearch(stars, width, height, index_, settings_, [&](const BlindCandidate& candidate) {
        ++result.proven;
        const double pixelsPerDegree = 3600 / candidate.arcsecPerPx;
        SolveHints hints;
        hints.centreRaDeg = candidate.centreRaDeg;
        hints.centreDecDeg = candidate.centreDecDeg;
        hints.corrDec = pixelsPerDegree;
        hints.corrAsd = pixelsPerDegree * std::cos(toRadians(candidate.centreDecDeg));
        const double radiusDeg = 1.6 * std::hypot(width, height) / 2 / pixelsPerDegree;
        std::vector<ReferenceStar> nearby;
        for (const LocalStar& s :
             catalogue_.cone(candidate.centreRaDeg, candidate.centreDecDeg, radiusDeg, magLimit_, std::nullopt))
            nearby.push_back({localIdText(catalogue_.header().source, s.id), s.raDeg, s.decDeg, s.magR});
        SolveOutcome outcome = solveField(detected, width, height, nearby, hints, proof);
        if (!outcome.solved) return false;
        result.outcome = std::move(outcome);
        result.catalogue = std::move(nearby);
        return true;
    });
    if (!result.outcome.solved)
        result.outcome.reason = "no field of the index found (" + std::to_string(result.stats.quadsTried) +
                                " quads of the image, " + std::to_string(result.proven) +
                                " candidates put to the proof)";
    return result;
}

}  // namespace sextrix
