#include "tests/support/recordhistory.h"

#include "bank/questionbank.h"

#include <QRandomGenerator>

using namespace kivola;

namespace history {

namespace {

constexpr int RightPercent = 65;
constexpr int KindCount = 5;
constexpr int PointsPerAnswer = 20;
constexpr int Percent = 100;
constexpr int SecondsApart = 600;

} // namespace

CompletedTest randomTest(QRandomGenerator &random, const QDateTime &finished)
{
    CompletedTest test {finished, TestKind(random.bounded(KindCount)), 0, {}};
    for (int slot = 1; slot <= AnswersPerTest; ++slot) {
        const bool right = random.bounded(Percent) < RightPercent;
        test.answers[slot - 1] = {slot, random.bounded(QuestionBank::QuestionCount) + 1,
            right ? AnswerTrue : AnswerFalse, right};
        test.points += right ? PointsPerAnswer : 0;
    }
    return test;
}

QList<CompletedTest> randomTests(int count, quint32 seed, const QDateTime &firstFinished)
{
    QRandomGenerator random(seed);
    QList<CompletedTest> tests;
    tests.reserve(count);
    for (int n = 0; n < count; ++n)
        tests.append(randomTest(random, firstFinished.addSecs(qint64(SecondsApart) * n)));
    return tests;
}

} // namespace history
