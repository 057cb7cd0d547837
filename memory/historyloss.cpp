#include "memory/historyloss.h"

#include "memory/fsrs.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kivola {

namespace {

using Vector = FsrsParameters;

// Keeps a confident wrong prediction from costing an unbounded loss, which would let one odd
// answer steer the whole fit.
constexpr double ProbabilityFloor = 1e-7;
constexpr double AgainValue = 1;
constexpr double GoodValue = 3;

void scaleInto(Vector &target, double factor, const Vector &source)
{
    for (int i = 0; i < FsrsParameterCount; ++i)
        target[i] = factor * source[i];
}

void addScaled(Vector &target, double factor, const Vector &source)
{
    for (int i = 0; i < FsrsParameterCount; ++i)
        target[i] += factor * source[i];
}

} // namespace

HistoryLoss::HistoryLoss(std::span<const Review> reviews, GuessModel model)
{
    std::vector<int> order(reviews.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
        [&](int a, int b) { return reviews[a].statementId < reviews[b].statementId; });
    m_answers.reserve(reviews.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        const Review &review = reviews[order[k]];
        const bool first = k == 0 || reviews[order[k - 1]].statementId != review.statementId;
        const int elapsed
            = first ? FirstAnswer : int(review.studyDay - reviews[order[k - 1]].studyDay);
        const double guess = model == GuessModel::Plain ? 0 : review.guessChance;
        m_answers.push_back({elapsed, review.right, guess});
        if (elapsed > 0)
            ++m_scored;
    }
}

double HistoryLoss::operator()(const FsrsParameters &parameters, FsrsParameters *gradient) const
{
    return gradient ? evaluate<true>(parameters, gradient) : evaluate<false>(parameters, nullptr);
}

// The gradient is carried forward with the state: alongside S and D, their derivatives with
// respect to every parameter, updated by the chain rule at each answer. Each step below is the
// matching formula of Fsrs with its partial derivatives written out; a clamped value has none.
template <bool WithGradient>
double HistoryLoss::evaluate(const FsrsParameters &w, FsrsParameters *gradient) const
{
    const double decay = -w[20];
    const double base = std::pow(0.9, 1 / decay);
    const double factor = base - 1;
    const double factorByW20 = base * std::log(0.9) / (w[20] * w[20]);
    const double growthScale = std::exp(w[8]);
    const double easiestStart = w[4] - std::exp(3 * w[5]) + 1;
    const double lapseCap = std::exp(-w[17] * w[18]);
    const double sameDayGood = std::exp(w[17] * w[18]);
    const double sameDayAgain = std::exp(w[17] * (w[18] - 2));

    double loss = 0;
    Vector total {};
    double s = 0;
    double d = 0;
    Vector ds {};
    Vector dd {};
    Vector dr {};
    Vector dNext {};
    for (const Answer &answer : m_answers) {
        const double grade = answer.right ? GoodValue : AgainValue;
        if (answer.elapsedDays == FirstAnswer) {
            const int index = answer.right ? 2 : 0;
            s = std::max(w[index], MinimumStability);
            const double growth = std::exp(w[5] * (grade - 1));
            const double start = w[4] - growth + 1;
            d = std::clamp(start, MinimumDifficulty, MaximumDifficulty);
            if constexpr (WithGradient) {
                ds.fill(0);
                dd.fill(0);
                if (w[index] > MinimumStability)
                    ds[index] = 1;
                if (d == start) {
                    dd[4] = 1;
                    dd[5] = -(grade - 1) * growth;
                }
            }
            continue;
        }

        double next = 0;
        if (answer.elapsedDays == 0) {
            const double change = (answer.right ? sameDayGood : sameDayAgain) * std::pow(s, -w[19]);
            if (answer.right && change < 1) {
                next = s;
                if constexpr (WithGradient)
                    dNext = ds;
            } else {
                next = s * change;
                if constexpr (WithGradient) {
                    scaleInto(dNext, (1 - w[19]) * change, ds);
                    dNext[17] += next * (grade - 3 + w[18]);
                    dNext[18] += next * w[17];
                    dNext[19] -= next * std::log(s);
                }
            }
        } else {
            const double t = answer.elapsedDays;
            const double u = 1 + factor * t / s;
            const double r = std::pow(u, decay);
            if constexpr (WithGradient) {
                scaleInto(dr, w[20] * r * factor * t / (u * s * s), ds);
                dr[20] += r * (-std::log(u) - w[20] * t * factorByW20 / (s * u));
            }

            const double g = answer.guessChance;
            const double p = std::clamp(g + (1 - g) * r, ProbabilityFloor, 1 - ProbabilityFloor);
            loss -= std::log(answer.right ? p : 1 - p);
            if constexpr (WithGradient) {
                if (p > ProbabilityFloor && p < 1 - ProbabilityFloor)
                    addScaled(total, (1 - g) * (answer.right ? -1 / p : 1 / (1 - p)), dr);
            }

            if (answer.right) {
                const double shrink = std::pow(s, -w[9]);
                const double boost = std::exp(w[10] * (1 - r));
                const double rise = growthScale * (11 - d) * shrink;
                const double growth = rise * (boost - 1);
                next = s * (1 + growth);
                if constexpr (WithGradient) {
                    scaleInto(dNext, 1 + growth * (1 - w[9]), ds);
                    addScaled(dNext, -s * growth / (11 - d), dd);
                    addScaled(dNext, -s * rise * boost * w[10], dr);
                    dNext[8] += s * growth;
                    dNext[9] -= s * growth * std::log(s);
                    dNext[10] += s * rise * boost * (1 - r);
                }
            } else {
                const double weight = std::pow(d, -w[12]);
                const double grown = std::pow(s + 1, w[13]);
                const double boost = std::exp(w[14] * (1 - r));
                const double relearnt = w[11] * weight * (grown - 1) * boost;
                const double cap = s * lapseCap;
                if (relearnt < cap) {
                    next = relearnt;
                    if constexpr (WithGradient) {
                        scaleInto(dNext, w[11] * weight * w[13] * grown / (s + 1) * boost, ds);
                        addScaled(dNext, -relearnt * w[12] / d, dd);
                        addScaled(dNext, -relearnt * w[14], dr);
                        dNext[11] += weight * (grown - 1) * boost;
                        dNext[12] -= relearnt * std::log(d);
                        dNext[13] += w[11] * weight * grown * std::log(s + 1) * boost;
                        dNext[14] += relearnt * (1 - r);
                    }
                } else {
                    next = cap;
                    if constexpr (WithGradient) {
                        scaleInto(dNext, lapseCap, ds);
                        dNext[17] -= w[18] * cap;
                        dNext[18] -= w[17] * cap;
                    }
                }
            }
        }
        s = std::clamp(next, MinimumStability, MaximumStability);
        if constexpr (WithGradient) {
            if (s == next)
                ds = dNext;
            else
                ds.fill(0);
        }

        const double change = -w[6] * (grade - 3);
        const double moved = d + change * (MaximumDifficulty - d) / 9;
        const double reverted = w[7] * easiestStart + (1 - w[7]) * moved;
        const double previous = d;
        d = std::clamp(reverted, MinimumDifficulty, MaximumDifficulty);
        if constexpr (WithGradient) {
            if (d == reverted) {
                for (double &value : dd)
                    value *= (1 - w[7]) * (1 - change / 9);
                dd[4] += w[7];
                dd[5] -= w[7] * 3 * std::exp(3 * w[5]);
                dd[6] -= (1 - w[7]) * (grade - 3) * (MaximumDifficulty - previous) / 9;
                dd[7] += easiestStart - moved;
            } else {
                dd.fill(0);
            }
        }
    }
    if constexpr (WithGradient)
        *gradient = total;
    return loss;
}

} // namespace kivola
