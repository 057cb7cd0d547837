#include "bank/grading.h"

#include <QStringList>

namespace kivola {

namespace {

constexpr std::int16_t FullScore = 100;
constexpr std::int16_t PointsPerRank = 10;

} // namespace

std::int16_t PointsFor(std::int16_t correctCode, std::int16_t givenCode)
{
    return correctCode == givenCode ? PointsPerCorrectAnswer : 0;
}

int RankOf(std::int16_t score)
{
    if (score < 0 || score > FullScore)
        return 0;
    return score / PointsPerRank;
}

QString CommentFor(int rank)
{
    static const QStringList comments {
        QStringLiteral("勉強不足です。一念発起しましょう"),
        QStringLiteral("悔い改めてもっとがんばりましょう"),
        QStringLiteral("まだまだ知識があいまいなようです"),
        QStringLiteral("正確な知識をつけるように努力しましょう"),
        QStringLiteral("この知識では、まだ受験に通用しません"),
        QStringLiteral("平均に近づいてきましたが、これで満足しないようにしましょう"),
        QStringLiteral("平均以上です。努力を怠らないようにしましょう"),
        QStringLiteral("センター試験でも通用できそうですが、さらに上を目指しましょう"),
        QStringLiteral("優秀です。難関私大を目指すならさらに高得点を狙いましょう"),
        QStringLiteral("極めて優秀です！あと少しで完璧になれます！"),
        QStringLiteral("完璧です！あとは本試験まで忘れないようにしましょう(*^^)v"),
    };
    return rank >= 0 && rank < comments.size() ? comments.at(rank) : QString();
}

QString ScoreText(std::int16_t score)
{
    return QString::number(score) + QStringLiteral("点");
}

QString AttemptTitle(qint64 attemptNo)
{
    return QStringLiteral("第") + QString::number(attemptNo) + QStringLiteral("回 採点結果");
}

QString PracticeTitle()
{
    return QStringLiteral("練習 採点結果");
}

} // namespace kivola
