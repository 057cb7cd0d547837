#pragma once

#include "memory/fsrsparameters.h"
#include "memory/review.h"

#include <span>

namespace kivola {

// Below this many scored answers (see HistoryLoss), about two weeks of daily practice, the
// defaults are kept. A ○/× answer tells about half as much as a graded recall (at R = 0.9 its
// Fisher information about R is (1 - g)² / (p (1 - p)) = 5.3 against 11.1 without guessing),
// so few answers leave the fit at the mercy of chance; the pull toward the defaults keeps it
// sane, but bench_memory's simulated students gained nothing from a fit on 50 answers and
// clearly gained from 150 on (held-out log loss 0.274 against 0.293 with the defaults).
inline constexpr int MinimumScoredAnswersForFit = 100;

struct MemoryFit
{
    // The defaults when there was too little history.
    FsrsParameters parameters = DefaultFsrsParameters;
    bool fitted = false;
    int scoredAnswers = 0;
    // Mean log loss per scored answer, in nats, at the parameters returned and at the defaults.
    double logLoss = 0;
    double defaultLogLoss = 0;
    int iterations = 0;
};

// The parameters under which the student's answers are likeliest, within FsrsParameterRanges,
// starting from the defaults and pulled gently toward them (see PriorStrength in the source).
// The reviews in time order; statements may interleave. Pure: safe on a worker thread.
// minimumScoredAnswers other than the default is for studying the fit on short histories.
MemoryFit FitMemoryModel(std::span<const Review> reviews, GuessModel model,
    int minimumScoredAnswers = MinimumScoredAnswersForFit);

// Mean log loss per scored answer under the given parameters; 0 when nothing is scored.
double MeanLogLoss(
    std::span<const Review> reviews, const FsrsParameters &parameters, GuessModel model);

} // namespace kivola
