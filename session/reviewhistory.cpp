#include "session/reviewhistory.h"

#include "memory/studyday.h"
#include "quiz/itemjudgment.h"
#include "study/reviewanswer.h"

namespace kivola {

namespace {

// The luck of a ○/× answer given on its own.
constexpr double CoinFlip = 0.5;

} // namespace

double GuessChanceOf(const StatementEvent &event)
{
    switch (event.source) {
    case StatementEvent::Source::Judgment:
        return luckyChance(ItemFormat(event.format));
    case StatementEvent::Source::Review:
        return event.given == int(ReviewGiven::DontKnow) ? 0.0 : CoinFlip;
    case StatementEvent::Source::TestAnswer:
        break;
    }
    return CoinFlip;
}

std::vector<Review> ReviewsFromHistory(const QList<StatementEvent> &history, const QTimeZone &zone)
{
    std::vector<Review> reviews;
    reviews.reserve(std::size_t(history.size()));
    // Time zone conversions are slow and the history comes in time order: the bounds of the
    // study day in hand, in milliseconds since the epoch, settle most answers without one.
    qint64 day = 0;
    qint64 dayStart = 0;
    qint64 dayEnd = 0;
    for (const StatementEvent &event : history) {
        const qint64 moment = event.atUtc.toMSecsSinceEpoch();
        if (moment < dayStart || moment >= dayEnd) {
            day = StudyDay(event.atUtc, zone);
            const QTime start(StudyDayStartHour, 0);
            dayStart = QDateTime(QDate::fromJulianDay(day), start, zone).toMSecsSinceEpoch();
            dayEnd = QDateTime(QDate::fromJulianDay(day + 1), start, zone).toMSecsSinceEpoch();
        }
        reviews.push_back({event.bankId, day, event.right, GuessChanceOf(event)});
    }
    return reviews;
}

} // namespace kivola
