#include "study/studyfigures.h"

#include <algorithm>

namespace kivola {

namespace {

template <typename Keep> QList<int> idsWhere(const StatementTable &table, Keep keep)
{
    QList<int> ids;
    for (int id = 1; id < table.size(); ++id) {
        if (keep(table.at(id)))
            ids.append(id);
    }
    return ids;
}

template <typename Keep> int countWhere(const StatementTable &table, Keep keep)
{
    return int(std::count_if(table.cbegin() + 1, table.cend(), keep));
}

template <std::size_t N, typename GroupOf>
std::array<Accuracy, N> accuracyBy(
    const StatementTable &table, const QuestionBank &bank, GroupOf groupOf)
{
    std::array<Accuracy, N> groups {};
    for (int id = 1; id < table.size(); ++id) {
        const StatementFigures &figures = table.at(id);
        if (figures.answered == 0 || !bank.contains(id))
            continue;
        const int group = groupOf(bank.record(id));
        if (group < 0 || group >= int(N))
            continue;
        groups[group].answered += figures.answered;
        groups[group].right += figures.answered - figures.wrong;
    }
    return groups;
}

template <std::size_t N, typename Count>
std::array<Accuracy, N> accuracyByNote(
    const StatementTable &table, const StudyLayer &layer, Count count)
{
    std::array<Accuracy, N> groups {};
    for (int id = 1; id < table.size(); ++id) {
        const StatementFigures &figures = table.at(id);
        if (figures.answered == 0 || !layer.contains(id))
            continue;
        count(layer.note(id), [&](int group) {
            groups[std::size_t(group)].answered += figures.answered;
            groups[std::size_t(group)].right += figures.answered - figures.wrong;
        });
    }
    return groups;
}

// The index of the group with the lowest share among those answered often enough.
template <std::size_t N> std::optional<int> weakestOf(const std::array<Accuracy, N> &groups)
{
    std::optional<int> weakest;
    for (int i = 0; i < int(N); ++i) {
        const Accuracy &a = groups[std::size_t(i)];
        if (a.answered < WeakestMinimumAnswers)
            continue;
        if (!weakest) {
            weakest = i;
            continue;
        }
        // Compared as cross products, so equal rates stay equal without rounding.
        const Accuracy &w = groups[std::size_t(*weakest)];
        if (qint64(a.right) * w.answered < qint64(w.right) * a.answered)
            weakest = i;
    }
    return weakest;
}

} // namespace

StatementTable emptyStatementTable()
{
    return StatementTable(QuestionBank::QuestionCount + 1);
}

QList<int> latestWrong(const StatementTable &table)
{
    return idsWhere(
        table, [](const StatementFigures &f) { return f.latest == LatestResult::Wrong; });
}

QList<int> neverAnswered(const StatementTable &table)
{
    return idsWhere(table, [](const StatementFigures &f) { return f.answered == 0; });
}

int seenCount(const StatementTable &table)
{
    return countWhere(table, [](const StatementFigures &f) { return f.answered > 0; });
}

int masteredCount(const StatementTable &table)
{
    return countWhere(table, [](const StatementFigures &f) { return f.mastered; });
}

QList<int> mostWrong(const StatementTable &table, int count)
{
    QList<int> ids = idsWhere(table, [](const StatementFigures &f) { return f.wrong > 0; });
    // Stable, so equals keep their ascending ids.
    std::stable_sort(ids.begin(), ids.end(),
        [&table](int a, int b) { return table.at(a).wrong > table.at(b).wrong; });
    if (ids.size() > count)
        ids.resize(qMax(count, 0));
    return ids;
}

PartAccuracy accuracyByPart(const StatementTable &table, const QuestionBank &bank)
{
    return accuracyBy<PartCount>(
        table, bank, [](const QuestionRecord &record) { return partOf(record) - 1; });
}

PaperAccuracy accuracyByPaper(const StatementTable &table, const QuestionBank &bank)
{
    return accuracyBy<Papers.size()>(table, bank, &paperIndexOf);
}

PeriodAccuracy accuracyByPeriod(const StatementTable &table, const StudyLayer &layer)
{
    return accuracyByNote<PeriodCount>(
        table, layer, [](const StudyNote &note, auto add) { add(int(note.period)); });
}

ThemeAccuracy accuracyByTheme(const StatementTable &table, const StudyLayer &layer)
{
    return accuracyByNote<ThemeCount>(table, layer, [](const StudyNote &note, auto add) {
        for (Theme theme : AllThemes) {
            if (note.themes.testFlag(theme))
                add(themeIndex(theme));
        }
    });
}

int weakestPart(const PartAccuracy &accuracy)
{
    const std::optional<int> index = weakestOf(accuracy);
    return index ? *index + 1 : 0;
}

std::optional<Period> weakestPeriod(const PeriodAccuracy &accuracy)
{
    const std::optional<int> index = weakestOf(accuracy);
    return index ? std::optional<Period>(Period(*index)) : std::nullopt;
}

std::optional<Theme> weakestTheme(const ThemeAccuracy &accuracy)
{
    const std::optional<int> index = weakestOf(accuracy);
    return index ? std::optional<Theme>(AllThemes[std::size_t(*index)]) : std::nullopt;
}

QList<double> runningAverage(const QList<TestPoints> &tests)
{
    QList<double> averages;
    averages.reserve(tests.size());
    qint64 sum = 0;
    for (const TestPoints &test : tests) {
        sum += test.points;
        averages.append(double(sum) / double(averages.size() + 1));
    }
    return averages;
}

int paperScore(int rightCount, int itemCount)
{
    constexpr qint64 Full = 100;
    if (itemCount <= 0)
        return 0;
    // In whole numbers, so that halves round the same on every platform.
    return int((2 * Full * rightCount + itemCount) / (2 * qint64(itemCount)));
}

BestScores bestScores(const QList<PaperResult> &results)
{
    BestScores best {};
    for (const PaperResult &result : results) {
        if (result.paper < 0 || result.paper >= int(best.size()))
            continue;
        std::optional<int> &paperBest = best[result.paper];
        paperBest = qMax(paperBest.value_or(result.score), result.score);
    }
    return best;
}

} // namespace kivola
