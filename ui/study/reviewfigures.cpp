#include "ui/study/reviewfigures.h"

#include "session/dailyreview.h"

namespace kivola {

ReviewFigures reviewFiguresOf(const DailyReview &review)
{
    const ReviewPlan &plan = review.plan();
    ReviewFigures figures;
    figures.known = review.isReadable();
    figures.today = DailyReview::dateOf(plan.today());
    figures.examDate = DailyReview::dateOf(plan.examDay());
    figures.desiredRetention = plan.settings().desiredRetention;
    figures.dueToday = review.dueLeft();
    figures.newToday = review.newLeft();
    figures.forecast = plan.dueForecast();
    figures.meanRetrievabilityNow = plan.meanRetrievabilityNow();
    figures.meanRetrievabilityOnExam = plan.meanRetrievabilityOnExam();
    figures.judgmentShareOnExam = plan.expectedJudgmentShareOnExam();
    figures.mockScoreOnExam = review.expectedMockScoreOnExam();
    return figures;
}

StatementMemory statementMemoryOf(const ReviewPlan &plan)
{
    StatementMemory memory;
    memory.today = DailyReview::dateOf(plan.today());
    const int count = plan.statementCount();
    memory.retrievability.resize(count + 1);
    memory.due.resize(count + 1);
    for (int id = 1; id <= count; ++id) {
        const StatementSchedule &s = plan.statement(id);
        if (!s.seen)
            continue;
        memory.retrievability[id] = s.retrievabilityNow;
        memory.due[id] = DailyReview::dateOf(s.dueDay);
    }
    return memory;
}

} // namespace kivola
