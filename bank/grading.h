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

// The score as the result sheet shows it: "60点".
QString ScoreText(std::int16_t score);

// The heading of a test's result sheet: "第4回 採点結果" for the fourth test.
QString AttemptTitle(qint64 attemptNo);

// The heading of a practice's result sheet, which is not numbered: "練習 採点結果".
QString PracticeTitle();

} // namespace kivola
