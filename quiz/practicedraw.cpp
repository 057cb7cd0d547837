#include "quiz/practicedraw.h"

#include "quiz/testrun.h"

#include <QSet>

#include <algorithm>
#include <numeric>

namespace kivola {

namespace {

// Moves random members of `candidates` that are not drawn yet into `drawn` until it is full.
void drawFrom(QList<int> candidates, QList<int> &drawn, RandomSource &random)
{
    const QSet<int> taken(drawn.cbegin(), drawn.cend());
    candidates.removeIf([&taken](int id) { return taken.contains(id); });
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    while (drawn.size() < QuestionsPerTest && !candidates.isEmpty()) {
        const double position = std::clamp(double(random.uniform()), 0.0, 1.0) * candidates.size();
        const qsizetype index = std::min(qsizetype(position), candidates.size() - 1);
        drawn.append(candidates.takeAt(index));
    }
}

} // namespace

PracticeSources practiceSources(const QList<int> &practiceSet, const QList<int> &unanswered)
{
    const QSet<int> set(practiceSet.cbegin(), practiceSet.cend());
    QSet<int> others(unanswered.cbegin(), unanswered.cend());
    others.subtract(set);
    PracticeSources sources;
    sources.fromSet = int(std::min<qsizetype>(set.size(), QuestionsPerTest));
    sources.fromUnanswered
        = int(std::min<qsizetype>(others.size(), QuestionsPerTest - sources.fromSet));
    sources.fromBank = QuestionsPerTest - sources.fromSet - sources.fromUnanswered;
    return sources;
}

QList<int> drawPractice(
    const QList<int> &practiceSet, const QList<int> &unanswered, int bankSize, RandomSource &random)
{
    QList<int> drawn;
    drawFrom(practiceSet, drawn, random);
    drawFrom(unanswered, drawn, random);
    if (drawn.size() < QuestionsPerTest) {
        QList<int> everything(bankSize);
        std::iota(everything.begin(), everything.end(), 1);
        drawFrom(everything, drawn, random);
    }
    return drawn;
}

} // namespace kivola
