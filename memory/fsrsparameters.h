#pragma once

#include <array>

namespace kivola {

inline constexpr int FsrsParameterCount = 21;

// w0..w20 of the forgetting model: w0..w3 the first stabilities by grade, w4..w7 difficulty,
// w8..w10 growth after a pass, w11..w14 stability after a lapse, w15 and w16 the Hard and Easy
// factors, w17..w19 reviews on the same day, w20 the shape of the forgetting curve.
using FsrsParameters = std::array<double, FsrsParameterCount>;

// The medians over many learners' fitted parameters: the best guess for a new student.
inline constexpr FsrsParameters DefaultFsrsParameters
    = {0.212, 1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001, 1.8722, 0.1666, 0.796, 1.4835,
        0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};

struct ParameterRange
{
    double low = 0;
    double high = 0;
};

// Where a fit may move each parameter; outside, the model stops behaving like memory (a
// difficulty that grows on a pass, a curve that never falls).
inline constexpr std::array<ParameterRange, FsrsParameterCount> FsrsParameterRanges = {{
    {0.001, 100},
    {0.001, 100},
    {0.001, 100},
    {0.001, 100},
    {1, 10},
    {0.001, 4},
    {0.001, 4},
    {0.001, 0.75},
    {0, 4.5},
    {0, 0.8},
    {0.001, 3.5},
    {0.001, 5},
    {0.001, 0.25},
    {0.001, 0.9},
    {0, 4},
    {0, 1},
    {1, 6},
    {0, 2},
    {0, 2},
    {0, 0.8},
    {0.1, 0.8},
}};

} // namespace kivola
