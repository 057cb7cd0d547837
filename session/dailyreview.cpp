#include "session/dailyreview.h"

#include "memory/studyday.h"
#include "session/mockscoreforecast.h"
#include "session/reviewchoices.h"
#include "session/reviewhistory.h"

namespace kivola {

DailyReview::DailyReview(QString recordPath, QuestionBank bank, QTimeZone zone, Clock clock)
    : m_record(std::move(recordPath))
    , m_bank(std::move(bank))
    , m_items(buildExamItems(m_bank))
    , m_zone(std::move(zone))
    , m_clock(std::move(clock))
    , m_plan({}, DefaultFsrsParameters, ReviewSettings::defaults(QDate::fromJulianDay(today())),
          today(), m_bank.questionCount())
{ }

qint64 DailyReview::today() const
{
    return StudyDay(m_clock(), m_zone);
}

bool DailyReview::reload()
{
    const QDate date = QDate::fromJulianDay(today());
    const std::optional<QList<StatementEvent>> history = m_record.statementHistory();
    m_readable = history.has_value();
    m_reviews = m_readable ? ReviewsFromHistory(*history, m_zone) : std::vector<Review>();
    const ReviewSettings settings
        = m_readable ? LoadReviewSettings(m_record, date) : ReviewSettings::defaults(date);
    m_parameters = m_readable ? LoadMemoryParameters(m_record).parameters : DefaultFsrsParameters;
    m_plan = ReviewPlan(m_reviews, m_parameters, settings, today(), m_bank.questionCount());
    startBatch();
    return m_readable;
}

bool DailyReview::setSettings(const ReviewSettings &settings)
{
    const QDate date = QDate::fromJulianDay(today());
    const bool saved = SaveReviewSettings(m_record, settings, date);
    m_plan = ReviewPlan(
        m_reviews, m_parameters, settings.clamped(date), today(), m_bank.questionCount());
    startBatch();
    return saved;
}

std::optional<int> DailyReview::current() const
{
    if (m_position >= m_batch.size())
        return std::nullopt;
    return m_batch.at(m_position);
}

bool DailyReview::goOn()
{
    replan();
    startBatch();
    return !m_batch.isEmpty();
}

void DailyReview::startBatch()
{
    m_batch.clear();
    m_position = 0;
    if (!m_readable)
        return;
    const int size = m_plan.settings().sessionSize;
    for (const QList<int> &source : {m_plan.due(), m_plan.newToday()}) {
        for (const int id : source) {
            if (m_batch.size() == size)
                return;
            m_batch.append(id);
        }
    }
}

void DailyReview::replan()
{
    m_plan
        = ReviewPlan(m_reviews, m_parameters, m_plan.settings(), today(), m_bank.questionCount());
}

ReviewOutcome DailyReview::answer(ReviewGiven given)
{
    const std::optional<int> id = current();
    if (!id)
        return {};
    const QDateTime now = m_clock().toUTC();
    ReviewOutcome outcome;
    outcome.bankAnswer = AnswerCode(m_bank.record(*id).answerCode.toInt());
    outcome.right = given != ReviewGiven::DontKnow && int(given) == outcome.bankAnswer;
    outcome.recorded = m_record.recordReview({*id, now, given, outcome.right});
    if (!outcome.recorded)
        m_failed = true;
    // Kept in the plan even when the record could not take it: the student did answer, and the
    // statement should not come up again today.
    ++m_position;
    ++m_answeredCount;
    StatementEvent event {*id, now, outcome.right, int(given), StatementEvent::Source::Review, 0};
    m_reviews.push_back({*id, StudyDay(now, m_zone), outcome.right, GuessChanceOf(event)});
    replan();
    return outcome;
}

double DailyReview::expectedMockScoreOnExam() const
{
    return ExpectedMockScore(m_items, m_plan.retrievabilityOnExamTable());
}

bool DailyReview::takeFirstFailure()
{
    if (!m_failed || m_failureTold)
        return false;
    m_failureTold = true;
    return true;
}

} // namespace kivola
