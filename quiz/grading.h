#pragma once

#include <QString>

#include <cstdint>

namespace kivola {

inline constexpr std::int16_t PointsPerCorrectAnswer = 20;
inline constexpr int MaxRank = 10;

// Points for one answer: full marks when it matches the correct code, else nothing.
std::int16_t PointsFor(std::int16_t correctCode, std::int16_t givenCode);

// Score bands of ten points give ranks 0..9; exactly 100 is rank 10. Scores outside 0..100
// cannot come from a test and give rank 0.
int RankOf(std::int16_t score);

// The comment for a rank 0..10, shared by the result sheet and the score report; any other
// rank gives the empty text.
QString CommentFor(int rank);

} // namespace kivola
