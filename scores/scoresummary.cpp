#include "scores/scoresummary.h"

#include "bank/grading.h"
#include "scores/scorestore.h"

#include <QStringList>

#include <algorithm>

namespace kivola {

namespace {

constexpr std::int64_t PointsPerTest = 100;
constexpr std::int64_t PercentScale = 100;
constexpr std::int64_t RankScale = 10;

} // namespace

QString LevelFor(int rank)
{
    static const QStringList levels {
        QStringLiteral("幼稚園児"),
        QStringLiteral("小学生低学年"),
        QStringLiteral("小学生高学年"),
        QStringLiteral("中学生"),
        QStringLiteral("高校一年生"),
        QStringLiteral("高校二年生"),
        QStringLiteral("三流大学"),
        QStringLiteral("二流大学"),
        QStringLiteral("センター試験"),
        QStringLiteral("一流大学"),
        QStringLiteral("難関私立大学"),
    };
    return rank >= 0 && rank < levels.size() ? levels.at(rank) : QString();
}

ScoreSummary ScoreSummary::of(std::int32_t testsTaken, std::int32_t totalPoints)
{
    ScoreSummary summary;
    summary.countText = QString::number(testsTaken) + QStringLiteral("回");
    summary.totalText = QString::number(totalPoints) + QStringLiteral("点");
    if (testsTaken == 0)
        return summary;

    // 64-bit products: a record of any size a 32-bit counter can hold gives sane figures.
    const std::int64_t possible = std::int64_t(testsTaken) * PointsPerTest;
    const std::int64_t rate = std::int64_t(totalPoints) * PercentScale / possible;
    const std::int64_t rank = std::int64_t(totalPoints) * RankScale / possible;
    summary.rateText = QString::number(rate) + QStringLiteral("％");
    summary.rank = int(std::clamp<std::int64_t>(rank, -1, MaxRank + 1));
    summary.comment = CommentFor(*summary.rank);
    if (*summary.rank >= 0 && *summary.rank <= MaxRank)
        summary.level = LevelFor(*summary.rank);
    return summary;
}

ScoreSummary ReportText(ScoreStore &store)
{
    store.LoadScores();
    return ScoreSummary::of(store.testsTaken(), store.totalPoints());
}

} // namespace kivola
