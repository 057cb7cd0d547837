#include "memory/boundedminimizer.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace kivola {

namespace {

// Sufficient decrease for a step: a small share of what the slope promises.
constexpr double ArmijoShare = 1e-4;
constexpr double StepShrink = 0.5;
constexpr int MaximumHalvings = 40;
// The first step, before any curvature is known, moves no coordinate further than this.
constexpr double FirstStepLength = 0.05;
constexpr double CurvatureFloor = 1e-12;

double dot(const std::vector<double> &a, const std::vector<double> &b)
{
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += a[i] * b[i];
    return sum;
}

struct StepPair
{
    std::vector<double> s;
    std::vector<double> y;
    double rho = 0;
};

// A coordinate at a bound whose slope pushes it outward stays there for this iteration.
std::vector<bool> freeCoordinates(const std::vector<double> &x, const std::vector<double> &g,
    std::span<const double> low, std::span<const double> high)
{
    std::vector<bool> free(x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        free[i] = !((x[i] <= low[i] && g[i] > 0) || (x[i] >= high[i] && g[i] < 0));
    return free;
}

// The quasi-Newton direction from the stored pairs (two-loop recursion), on the free
// coordinates only.
std::vector<double> searchDirection(
    const std::vector<double> &g, const std::vector<bool> &free, const std::deque<StepPair> &pairs)
{
    std::vector<double> q(g.size());
    for (std::size_t i = 0; i < g.size(); ++i)
        q[i] = free[i] ? g[i] : 0;
    std::vector<double> alpha(pairs.size());
    for (std::size_t k = pairs.size(); k-- > 0;) {
        alpha[k] = pairs[k].rho * dot(pairs[k].s, q);
        for (std::size_t i = 0; i < q.size(); ++i)
            q[i] -= alpha[k] * pairs[k].y[i];
    }
    if (!pairs.empty()) {
        const StepPair &last = pairs.back();
        const double scale = dot(last.s, last.y) / dot(last.y, last.y);
        for (double &value : q)
            value *= scale;
    }
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const double beta = pairs[k].rho * dot(pairs[k].y, q);
        for (std::size_t i = 0; i < q.size(); ++i)
            q[i] += pairs[k].s[i] * (alpha[k] - beta);
    }
    for (std::size_t i = 0; i < q.size(); ++i)
        q[i] = free[i] ? -q[i] : 0;
    return q;
}

} // namespace

MinimizerResult MinimizeWithinBounds(const SmoothFunction &f, std::vector<double> start,
    std::span<const double> low, std::span<const double> high, const MinimizerSettings &settings)
{
    const std::size_t n = start.size();
    MinimizerResult result;
    std::vector<double> x = std::move(start);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = std::clamp(x[i], low[i], high[i]);
    std::vector<double> g(n);
    double value = f(x, g);
    ++result.evaluations;

    std::deque<StepPair> pairs;
    std::vector<double> trial(n);
    std::vector<double> trialGradient(n);
    int smallSteps = 0;
    for (; result.iterations < settings.maximumIterations; ++result.iterations) {
        const std::vector<bool> free = freeCoordinates(x, g, low, high);
        double steepest = 0;
        for (std::size_t i = 0; i < n; ++i)
            if (free[i])
                steepest = std::max(steepest, std::abs(g[i]));
        if (steepest < settings.gradientTolerance)
            break;

        std::vector<double> direction = searchDirection(g, free, pairs);
        if (dot(direction, g) >= 0) {
            // The curvature estimate has gone stale: start again from steepest descent.
            pairs.clear();
            direction = searchDirection(g, free, pairs);
        }
        double step = 1;
        if (pairs.empty()) {
            const auto longest = std::max_element(direction.begin(), direction.end(),
                [](double a, double b) { return std::abs(a) < std::abs(b); });
            step = std::min(1.0, FirstStepLength / std::abs(*longest));
        }

        bool accepted = false;
        double trialValue = value;
        for (int halving = 0; halving < MaximumHalvings && !accepted;
             ++halving, step *= StepShrink) {
            for (std::size_t i = 0; i < n; ++i)
                trial[i] = std::clamp(x[i] + step * direction[i], low[i], high[i]);
            trialValue = f(trial, trialGradient);
            ++result.evaluations;
            double promised = 0;
            for (std::size_t i = 0; i < n; ++i)
                promised += g[i] * (trial[i] - x[i]);
            accepted = std::isfinite(trialValue) && trialValue <= value + ArmijoShare * promised;
        }
        if (!accepted) {
            if (pairs.empty())
                break;
            pairs.clear();
            continue;
        }

        StepPair pair {std::vector<double>(n), std::vector<double>(n), 0};
        for (std::size_t i = 0; i < n; ++i) {
            pair.s[i] = trial[i] - x[i];
            pair.y[i] = trialGradient[i] - g[i];
        }
        const double curvature = dot(pair.s, pair.y);
        if (curvature > CurvatureFloor * dot(pair.y, pair.y)) {
            pair.rho = 1 / curvature;
            pairs.push_back(std::move(pair));
            if (int(pairs.size()) > settings.memory)
                pairs.pop_front();
        }
        const double decrease = value - trialValue;
        x.swap(trial);
        g.swap(trialGradient);
        value = trialValue;
        smallSteps = decrease < settings.relativeDecrease * std::max(1.0, std::abs(value))
            ? smallSteps + 1
            : 0;
        if (smallSteps == settings.smallStepsToStop) {
            ++result.iterations;
            break;
        }
    }
    result.x = std::move(x);
    result.value = value;
    return result;
}

} // namespace kivola
