#pragma once
// When the automatic identification believes a candidate. A person accepts
// a candidate when the chart's circles fall on the image's stars; here the
// same evidence is weighed as a probability: how likely it is that a wrong
// plate puts that many catalogue stars on detected stars (match_chance.h).
//
// The catalogue is split in two halves by rank (even and odd places in the
// answer's order). The search and the first judgement see the first half
// only; the second half is kept for the proof.
//
// 1. Candidate: its plate matches at least minMatches stars of the first
//    half within the wide matching radius (a few FWHM, which the three-star
//    plate needs), with a chance below 10^maxCandidateLog10 for this plate
//    alone, and twice the matches beyond chance of any different candidate
//    of the same search (a nearly equal rival means the figure is
//    ambiguous). This only chooses what to prove: in a star cloud the wide
//    radius makes chance matches many, and the right plate stands out only
//    once refined.
// 2. Proof: the plate refined on the first half's pairs predicts the second
//    half, and those predictions must fall on detected stars within a tight
//    radius (about the seeing disc, where a right solution puts them all)
//    far more often than chance: log10 chance + log10 proofs tried +
//    penalties < maxProofLog10. A chance of 1e-9 for the whole solve is what
//    makes a wrong answer rarer than any other fault of the program. The
//    penalties are the prior odds against what the hint did not announce: a
//    mirrored image (mirrorPenaltyLog10) and a scale away from the hinted one
//    (a normal prior of scaleSigma, relative).
// 3. Fit: the plate refined on all pairs keeps at least minMatches of them,
//    with an RMS residual within maxRmsPx (chance solutions that crept
//    through: above 1 px), a scale within maxScaleOff of the hint, and a
//    plate known to maxPlateErrorPx where it is least known. A least-squares
//    fit of p terms per axis to n pairs of scatter s predicts with an error
//    of s sqrt(p / n) on average over the pairs and about twice that at the
//    image's corners; bright, clipped stars of real photographs scatter by
//    half a pixel, which many of them still pin down.
#include <string>

namespace sextrix {

struct AcceptanceRule {
    int minMatches = 8;
    double maxCandidateLog10 = -0.3;
    double minLead = 2.0;
    double maxProofLog10 = -9;
    double mirrorPenaltyLog10 = 3;
    double scaleSigma = 0.03;
    double maxScaleOff = 0.08;
    double maxRmsPx = 1.0;
    double maxPlateErrorPx = 0.4;
};

enum class Verdict {
    Accepted,
    TooFewMatches,    // rule 1: too few matches
    ChanceMatches,    // rule 1: no more than chance gives
    NoClearWinner,    // rule 1: a rival
    NotProven,        // rule 2
    RefinementFails,  // rule 3
};

struct CandidateEvidence {
    int matches = 0;
    double log10Chance = 0;  // of at least that many matches
    double excess = 0;       // matches beyond the chance expectation
};

// Rule 1. runnerUpExcess is 0 when no other solution was found.
Verdict judgeCandidate(const CandidateEvidence& best, double runnerUpExcess, const AcceptanceRule& rule);

// The prior odds against a solution, in decades: its parity against the
// expected one and its scale against the hinted one (ratio found / hinted).
double priorPenaltyLog10(bool mirrored, bool mirrorExpected, double scaleRatio, const AcceptanceRule& rule);

// Rule 2. proofsTried counts the proofs run so far, this one included.
Verdict judgeProof(double log10Chance, long proofsTried, double penaltyLog10, const AcceptanceRule& rule);

// Rule 3.
// terms: the fit's terms per axis.
Verdict judgeRefinement(int usedPairs, int terms, double rmsPx, double scaleRatio, const AcceptanceRule& rule);

// A short English description of a verdict for a status line or stderr.
std::string verdictText(Verdict verdict);

}  // namespace sextrix
