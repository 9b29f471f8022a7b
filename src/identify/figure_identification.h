#pragma once
// The identification of five picked stars, one step at a time, on values:
// what "3-Calcul" walks through with the user, and what a program without a
// window (the command-line solver, a test) can walk through alone.
//
//   FigureIdentification id(input);              1. prepare the figure
//   while (const Candidate* c = id.nextCandidate()) {   2. next candidate
//       c->plate, id.verify(window, deciderOn)    3. its plate, its decider
//       ... show it, ask about it ...
//       id.accept() or id.reject()                4. the answer
//   }
//   id.accepted()                                 the solution, if any
//
// 1. The picks' ten sides and the catalogue's distances are compared by the
//    figure search; every candidate is listed at once with the plate its
//    first three pairs imply and its decider count under the window given
//    (identifyCandidates).
// 2. Candidates come in the search's order, numbered 1..candidateCount().
//    After an acceptance, or once every one was answered, there is none.
// 3. A candidate is worth asking about when it has a plate and, with the
//    decider on, more than three pairs (picked star, catalogue star) fall
//    within the decider's window under that plate. The window may have
//    changed since step 1 (the box is read again for every candidate); the
//    count is then made again.
// 4. accept ends the walk with that candidate; reject moves on.
#include <vector>

#include "identification.h"

namespace sextrix {

// Pairs the decider needs: four of the five picks.
constexpr Int16 kDeciderHitsNeeded = 4;

struct CandidateCheck {
    Int16 deciderHits = 0;  // kDeciderHitsNeeded with the decider off, as the window shows it
    bool worthAsking = false;
};

class FigureIdentification {
public:
    // Step 1. The input's positions are kept by reference: they must outlive
    // the walk, and step 3 counts on them as they are then. Throws
    // std::invalid_argument as identifyCandidates does (more than
    // kIdentifyCapacity catalogue stars). The caller refuses collinear first
    // picks before (firstThreeCollinear): they give candidates without a
    // plate, never asked about.
    explicit FigureIdentification(const IdentificationInput& input);
    // The same, with the caller's distance tables (identifyCandidates).
    FigureIdentification(const IdentificationInput& input, SquareTable& pickDist, SquareTable& catDist);

    int candidateCount() const { return static_cast<int>(candidates_.size()); }
    const std::vector<Candidate>& candidates() const { return candidates_; }

    // Step 2. The next candidate, or nothing once one was accepted or every
    // one was answered. Asking again before an answer gives the same one.
    const Candidate* nextCandidate();
    // The number (1..candidateCount) of the candidate step 2 gave last; 0
    // before the first.
    int candidateNumber() const { return current_; }

    // Step 3. The current candidate under the decider window of now.
    CandidateCheck verify(DeciderWindow window, bool deciderOn = true) const;

    // Step 4. The answer about the current candidate.
    const Candidate& accept();
    void reject();

    // The accepted candidate; nothing while none is.
    const Candidate* accepted() const { return accepted_ ? &candidates_[current_ - 1] : nullptr; }

private:
    FivePicks picks_;
    const std::vector<double>& catX_;
    const std::vector<double>& catY_;
    int catCount_;
    DeciderWindow counted_;  // the window of the candidates' counts
    std::vector<Candidate> candidates_;
    int current_ = 0;
    bool answered_ = true;  // the current candidate was answered (none before the first)
    bool accepted_ = false;
};

}  // namespace sextrix
