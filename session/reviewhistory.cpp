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
    // Answers come in runs stamped with the same second (a test's five); the day is worked out
    // once a run, since time zone conversions are not cheap.
    QDateTime lastMoment;
    qint64 lastDay = 0;
    for (const StatementEvent &event : history) {
        if (event.atUtc != lastMoment) {
            lastMoment = event.atUtc;
            lastDay = StudyDay(event.atUtc, zone);
        }
        reviews.push_back({event.bankId, lastDay, event.right, GuessChanceOf(event)});
    }
    return reviews;
}

} // namespace kivola
