#include "ui/study/reviewfigures.h"

#include "session/dailyreview.h"

namespace kivola {

namespace {

// Sums of R over the statements of each group, then divided by how many there are.
template <std::size_t N> struct GroupSums
{
    std::array<GroupMemory, N> sums {};
    std::array<int, N> counts {};

    void add(int group, const StatementSchedule &s)
    {
        sums[std::size_t(group)].now += s.retrievabilityNow;
        sums[std::size_t(group)].onExam += s.retrievabilityOnExam;
        ++counts[std::size_t(group)];
    }

    std::array<GroupMemory, N> means() const
    {
        std::array<GroupMemory, N> result {};
        for (std::size_t i = 0; i < N; ++i) {
            if (counts[i] > 0)
                result[i] = {sums[i].now / counts[i], sums[i].onExam / counts[i]};
        }
        return result;
    }
};

void addGroupMemory(ReviewFigures &figures, const ReviewPlan &plan, const StudyLayer &layer)
{
    GroupSums<PeriodCount> periods;
    GroupSums<ThemeCount> themes;
    for (int id = 1; id <= plan.statementCount(); ++id) {
        if (!layer.contains(id))
            continue;
        const StudyNote &note = layer.note(id);
        const StatementSchedule &s = plan.statement(id);
        periods.add(int(note.period), s);
        for (Theme theme : AllThemes) {
            if (note.themes.testFlag(theme))
                themes.add(themeIndex(theme), s);
        }
    }
    figures.byPeriod = periods.means();
    figures.byTheme = themes.means();
}

} // namespace

ReviewFigures reviewFiguresOf(const DailyReview &review, const StudyLayer &layer)
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
    addGroupMemory(figures, plan, layer);
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
