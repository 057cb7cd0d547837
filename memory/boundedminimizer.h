#pragma once

#include <functional>
#include <span>
#include <vector>

namespace kivola {

// The value of a smooth function at x; when gradient is not empty, its gradient written there.
using SmoothFunction = std::function<double(std::span<const double> x, std::span<double> gradient)>;

struct MinimizerSettings
{
    int maximumIterations = 200;
    // Stops when smallStepsToStop iterations in a row each lower the value by less than
    // relativeDecrease times the value: one short step alone may just be a bend in the valley.
    double relativeDecrease = 1e-10;
    int smallStepsToStop = 3;
    // Stops when no free coordinate has a slope steeper than this.
    double gradientTolerance = 1e-8;
    // Pairs of past steps kept for the curvature estimate.
    int memory = 8;
};

struct MinimizerResult
{
    std::vector<double> x;
    double value = 0;
    int iterations = 0;
    int evaluations = 0;
};

// A local minimum of f within the box low ≤ x ≤ high, from start: limited-memory BFGS steps on
// the coordinates not held at a bound, projected back into the box, with a backtracking line
// search. Coordinates should be of similar scale (the fit works in fractions of each range).
// Pure and reentrant, so that a worker thread may call it.
MinimizerResult MinimizeWithinBounds(const SmoothFunction &f, std::vector<double> start,
    std::span<const double> low, std::span<const double> high,
    const MinimizerSettings &settings = {});

} // namespace kivola
