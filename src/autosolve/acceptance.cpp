#include "acceptance.h"

#include <algorithm>
#include <cmath>

namespace sextrix {

Verdict judgeBest(const CandidateScore& best, int detectedCount, int runnerUpMatches, const AcceptanceRule& rule) {
    if (best.matches < rule.minMatches) return Verdict::TooFewMatches;
    const int couldMatch = std::min(best.predictedOnImage, detectedCount);
    if (best.matches < rule.minFraction * couldMatch) return Verdict::TooFewOfField;
    if (best.matches < rule.minLead * runnerUpMatches) return Verdict::NoClearWinner;
    return Verdict::Accepted;
}

Verdict judgeRefinement(int usedPairs, double rmsPx, const AcceptanceRule& rule) {
    // NaN fails the comparison and is refused with it.
    if (usedPairs < rule.minMatches || !(rmsPx <= rule.maxRmsPx)) return Verdict::RefinementFails;
    return Verdict::Accepted;
}

std::string verdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::Accepted: return "accepted";
        case Verdict::TooFewMatches: return "no candidate matched enough detected stars";
        case Verdict::TooFewOfField: return "the best candidate matched too small a share of the field's stars";
        case Verdict::NoClearWinner: return "two different candidates matched nearly as many stars";
        case Verdict::RefinementFails: return "the refined solution did not hold";
    }
    return "unknown";
}

}  // namespace sextrix
