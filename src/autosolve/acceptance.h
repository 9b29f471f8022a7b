#pragma once
// When the automatic identification believes a candidate. A person accepts
// a candidate when the chart's circles fall on the image's stars; here the
// same evidence is counted: how many detected stars the candidate's plate
// puts a catalogue star on.
//
// The rule, in order:
// 1. the best candidate matches at least minMatches detected stars;
// 2. those are at least minFraction of the stars that could match: the
//    catalogue stars predicted on the image or the detected stars, whichever
//    are fewer (a wrong plate pairs stars by chance only, a few per cent);
// 3. it matches at least minLead times as many stars as the best candidate
//    that is a different solution (a nearly equal rival means the figure is
//    ambiguous, and neither is trusted);
// 4. the plate refined on all its pairs keeps at least minMatches of them
//    with an RMS residual of at most maxRmsPx pixels.
#include <string>

namespace sextrix {

struct AcceptanceRule {
    int minMatches = 8;
    double minFraction = 0.25;
    double minLead = 2.0;
    double maxRmsPx = 1.5;
};

struct CandidateScore {
    int matches = 0;
    int predictedOnImage = 0;  // catalogue stars the plate puts on the image
};

enum class Verdict {
    Accepted,
    TooFewMatches,   // rule 1
    TooFewOfField,   // rule 2
    NoClearWinner,   // rule 3
    RefinementFails  // rule 4
};

// Rules 1 to 3. runnerUpMatches is 0 when no other solution was found.
Verdict judgeBest(const CandidateScore& best, int detectedCount, int runnerUpMatches, const AcceptanceRule& rule);

// Rule 4.
Verdict judgeRefinement(int usedPairs, double rmsPx, const AcceptanceRule& rule);

// A short English description of a verdict for a status line or stderr.
std::string verdictText(Verdict verdict);

}  // namespace sextrix
