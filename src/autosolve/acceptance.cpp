#include "acceptance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sextrix {

Verdict judgeCandidate(const CandidateEvidence& best, double runnerUpExcess, const AcceptanceRule& rule) {
    if (best.matches < rule.minMatches) return Verdict::TooFewMatches;
    if (!(best.log10Chance < rule.maxCandidateLog10)) return Verdict::ChanceMatches;
    if (best.excess < rule.minLead * runnerUpExcess) return Verdict::NoClearWinner;
    return Verdict::Accepted;
}

double priorPenaltyLog10(bool mirrored, bool mirrorExpected, double scaleRatio, const AcceptanceRule& rule) {
    const double off = std::log(scaleRatio) / rule.scaleSigma;
    return (mirrored != mirrorExpected ? rule.mirrorPenaltyLog10 : 0) + off * off / 2 / std::numbers::ln10;
}

Verdict judgeProof(double log10Chance, long proofsTried, double penaltyLog10, const AcceptanceRule& rule) {
    if (!(log10Chance + std::log10(std::max(1L, proofsTried)) + penaltyLog10 < rule.maxProofLog10))
        return Verdict::NotProven;
    return Verdict::Accepted;
}

Verdict judgeRefinement(int usedPairs, int terms, double rmsPx, double scaleRatio, const AcceptanceRule& rule) {
    // NaN fails the comparisons and is refused with them.
    const double cornerError = 2 * rmsPx * std::sqrt(terms / std::max(1.0, double(usedPairs)));
    if (usedPairs < rule.minMatches || !(rmsPx <= rule.maxRmsPx) || !(cornerError <= rule.maxPlateErrorPx) ||
        !(std::abs(std::log(scaleRatio)) <= rule.maxScaleOff))
        return Verdict::RefinementFails;
    return Verdict::Accepted;
}

std::string verdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::Accepted: return "accepted";
        case Verdict::TooFewMatches: return "no candidate matched enough detected stars";
        case Verdict::ChanceMatches: return "no candidate matched more stars than chance would";
        case Verdict::NoClearWinner: return "two different candidates matched nearly as many stars";
        case Verdict::NotProven: return "the best candidate did not predict the stars held back to check it";
        case Verdict::RefinementFails: return "the refined solution did not hold";
    }
    return "unknown";
}

}  // namespace sextrix
