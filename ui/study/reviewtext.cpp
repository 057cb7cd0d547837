#include "ui/study/reviewtext.h"

#include "memory/reviewplan.h"

#include <limits>

namespace kivola {

QString reviewDateText(const QDate &date, const QDate &today)
{
    // Written out rather than taken from the locale, which need not be Japanese.
    static const QString weekdays = QStringLiteral("月火水木金土日");
    const QString day = QStringLiteral("%1月%2日（%3）")
                            .arg(date.month())
                            .arg(date.day())
                            .arg(weekdays.at(date.dayOfWeek() - 1));
    if (date.year() == today.year())
        return day;
    return QStringLiteral("%1年").arg(date.year()) + day;
}

QString raisedNewText(const ReviewPlan &plan)
{
    if (!plan.newPerDayRaised())
        return QString();
    return QStringLiteral("試験日までにすべての問題を%1回以上解くには、1日あたり新しい問題を%2問"
                          "解く必要があります。設定の%3問より多く、この数で出題します。")
        .arg(ReviewPlan::MeetingsBeforeExam)
        .arg(plan.requiredNewPerDay())
        .arg(plan.settings().newPerDay);
}

QString nextDueText(const ReviewPlan &plan)
{
    qint64 next = std::numeric_limits<qint64>::max();
    int count = 0;
    for (int id = 1; id <= plan.statementCount(); ++id) {
        const StatementSchedule &s = plan.statement(id);
        if (!s.seen || s.dueDay <= plan.today())
            continue;
        if (s.dueDay < next) {
            next = s.dueDay;
            count = 0;
        }
        count += s.dueDay == next;
    }
    if (count == 0)
        return QString();
    const QDate today = QDate::fromJulianDay(plan.today());
    return QStringLiteral("次の復習は%1、%2問です。")
        .arg(reviewDateText(QDate::fromJulianDay(next), today))
        .arg(count);
}

} // namespace kivola
