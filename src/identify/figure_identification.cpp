#include "figure_identification.h"

#include <algorithm>
#include <stdexcept>

namespace sextrix {

FigureIdentification::FigureIdentification(const IdentificationInput& input)
    : picks_(input.picks), catX_(input.catX), catY_(input.catY), catCount_(std::max(input.catCount, 0)),
      counted_(input.window), candidates_(identifyCandidates(input)) {}

FigureIdentification::FigureIdentification(const IdentificationInput& input, SquareTable& pickDist,
                                           SquareTable& catDist)
    : picks_(input.picks), catX_(input.catX), catY_(input.catY), catCount_(std::max(input.catCount, 0)),
      counted_(input.window), candidates_(identifyCandidates(input, pickDist, catDist)) {}

const Candidate* FigureIdentification::nextCandidate() {
    if (accepted_) return nullptr;
    if (answered_) {
        if (current_ >= candidateCount()) return nullptr;
        ++current_;
        answered_ = false;
    }
    return &candidates_[current_ - 1];
}

CandidateCheck FigureIdentification::verify(DeciderWindow window, bool deciderOn) const {
    if (current_ == 0) throw std::logic_error("no candidate to verify");
    const Candidate& candidate = candidates_[current_ - 1];
    if (!candidate.plate) return {};
    CandidateCheck check;
    if (!deciderOn)
        check.deciderHits = kDeciderHitsNeeded;
    else if (window == counted_)
        check.deciderHits = candidate.deciderHits;
    else
        check.deciderHits = deciderHitsAt(*candidate.plate, picks_, catX_, catY_, catCount_, window);
    check.worthAsking = check.deciderHits >= kDeciderHitsNeeded;
    return check;
}

const Candidate& FigureIdentification::accept() {
    if (answered_) throw std::logic_error("no candidate to accept");
    answered_ = accepted_ = true;
    return candidates_[current_ - 1];
}

void FigureIdentification::reject() {
    if (answered_) throw std::logic_error("no candidate to reject");
    answered_ = true;
}

}  // namespace sextrix
