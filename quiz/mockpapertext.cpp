#include "quiz/mockpapertext.h"

#include "quiz/mockpaper.h"

namespace kivola {

namespace {

constexpr int SecondsPerMinute = 60;
constexpr int TwoDigits = 2;

} // namespace

QString durationText(int seconds)
{
    seconds = std::max(seconds, 0);
    const int minutes = seconds / SecondsPerMinute;
    const int rest = seconds % SecondsPerMinute;
    if (minutes == 0)
        return QStringLiteral("%1秒").arg(rest);
    if (rest == 0)
        return QStringLiteral("%1分").arg(minutes);
    return QStringLiteral("%1分%2秒").arg(minutes).arg(rest);
}

QString clockText(int seconds)
{
    seconds = std::max(seconds, 0);
    return QStringLiteral("%1:%2")
        .arg(seconds / SecondsPerMinute)
        .arg(seconds % SecondsPerMinute, TwoDigits, 10, QLatin1Char('0'));
}

QString paperLengthText(int itemCount, bool timed)
{
    return QStringLiteral("%1問・").arg(itemCount)
        + (timed ? durationText(MockPaper::timeLimitFor(itemCount))
                 : QStringLiteral("時間制限なし"));
}

} // namespace kivola
