#include "memory/reviewplan.h"

#include "memory/examschedule.h"

#include <algorithm>

namespace kivola {

ReviewPlan::ReviewPlan(std::span<const Review> reviews, const FsrsParameters &parameters,
    const ReviewSettings &settings, qint64 today, int statementCount)
    : m_model(parameters)
    , m_settings(settings)
    , m_today(today)
    , m_examDay(settings.examDate.isValid() ? settings.examDate.toJulianDay() : today)
    , m_statements(std::size_t(std::max(statementCount, 0)) + 1)
{
    for (const Review &review : reviews) {
        if (review.statementId < 1 || review.statementId > statementCount)
            continue;
        StatementSchedule &statement = m_statements[std::size_t(review.statementId)];
        const Grade grade = review.right ? Grade::Good : Grade::Again;
        if (!statement.seen) {
            statement.seen = true;
            statement.state = m_model.firstReview(grade);
            statement.firstDay = review.studyDay;
        } else {
            // A clock set back can put an answer before the one it follows: same day, then.
            const qint64 elapsed = std::max<qint64>(0, review.studyDay - statement.lastDay);
            statement.state = m_model.nextState(statement.state, int(elapsed), grade);
        }
        statement.lastDay = std::max(statement.lastDay, review.studyDay);
        ++statement.answers;
    }

    const double retention = m_settings.desiredRetention;
    for (int id = 1; id <= statementCount; ++id) {
        StatementSchedule &statement = m_statements[std::size_t(id)];
        if (!statement.seen) {
            ++m_unseenCount;
            continue;
        }
        if (statement.firstDay == m_today)
            ++m_introducedToday;
        const double stability = statement.state.stability;
        statement.retrievabilityNow = m_model.retrievability(
            double(std::max<qint64>(0, m_today - statement.lastDay)), stability);
        statement.retrievabilityOnExam = m_model.retrievability(
            double(std::max<qint64>(0, m_examDay - statement.lastDay)), stability);
        const qint64 plain = PlainDueDay(m_model, statement.state, statement.lastDay, retention);
        statement.dueDay = examAhead()
            ? ExamDueDay(m_model, statement.state, statement.lastDay, plain, m_examDay, retention)
            : plain;
        statement.pulledInByExam = statement.dueDay < plain;
        if (statement.dueDay <= m_today)
            m_due.append(id);
    }
    std::sort(m_due.begin(), m_due.end(), [this](int a, int b) {
        const double ra = m_statements[std::size_t(a)].retrievabilityNow;
        const double rb = m_statements[std::size_t(b)].retrievabilityNow;
        return ra != rb ? ra < rb : a < b;
    });
    if (examAhead()) {
        m_requiredNewPerDay = RequiredNewPerDay(
            m_model, retention, m_today, m_examDay, m_unseenCount, m_introducedToday);
    }
}

QList<int> ReviewPlan::newToday() const
{
    const int count = std::min(std::max(0, newPerDay() - m_introducedToday), m_unseenCount);
    QList<int> ids;
    ids.reserve(count);
    for (int id = 1; id <= statementCount() && ids.size() < count; ++id) {
        if (!m_statements[std::size_t(id)].seen)
            ids.append(id);
    }
    return ids;
}

QList<int> ReviewPlan::dueForecast() const
{
    QList<int> counts(ForecastDays, 0);
    counts[0] = int(m_due.size());
    for (int id = 1; id <= statementCount(); ++id) {
        const StatementSchedule &statement = m_statements[std::size_t(id)];
        const qint64 ahead = statement.dueDay - m_today;
        if (statement.seen && ahead > 0 && ahead < ForecastDays)
            ++counts[ahead];
    }
    return counts;
}

double ReviewPlan::meanRetrievabilityNow() const
{
    if (statementCount() == 0)
        return 0;
    double sum = 0;
    for (int id = 1; id <= statementCount(); ++id)
        sum += m_statements[std::size_t(id)].retrievabilityNow;
    return sum / statementCount();
}

double ReviewPlan::meanRetrievabilityOnExam() const
{
    if (statementCount() == 0)
        return 0;
    double sum = 0;
    for (int id = 1; id <= statementCount(); ++id)
        sum += m_statements[std::size_t(id)].retrievabilityOnExam;
    return sum / statementCount();
}

double ReviewPlan::expectedJudgmentShareOnExam() const
{
    // The coin flip of a ○/× judgment.
    constexpr double luck = 0.5;
    return luck + (1 - luck) * meanRetrievabilityOnExam();
}

QList<double> ReviewPlan::retrievabilityOnExamTable() const
{
    QList<double> table(statementCount() + 1, 0.0);
    for (int id = 1; id <= statementCount(); ++id)
        table[id] = m_statements[std::size_t(id)].retrievabilityOnExam;
    return table;
}

} // namespace kivola
