#include "session/mockscoreforecast.h"

#include <QMap>

#include <vector>

namespace kivola {

namespace {

constexpr double CoinFlip = 0.5;
constexpr double Percent = 100;

double judgedRight(double retrievability)
{
    return retrievability + (1 - retrievability) * CoinFlip;
}

// Choosing one of four: right when the key statement is known, else an even guess among the key
// and the other statements not known (the known ones are ruled out).
double chooseOneChance(const ExamItem &item, const QList<double> &retrievability)
{
    const int key = item.rightOption - 1;
    const double keyKnown = retrievability.value(item.bankIds.value(key));
    // unknown[m]: the chance that m of the other statements are not known.
    std::vector<double> unknown {1.0};
    for (int index = 0; index < item.bankIds.size(); ++index) {
        if (index == key)
            continue;
        const double known = retrievability.value(item.bankIds.at(index));
        std::vector<double> next(unknown.size() + 1, 0.0);
        for (std::size_t m = 0; m < unknown.size(); ++m) {
            next[m] += unknown[m] * known;
            next[m + 1] += unknown[m] * (1 - known);
        }
        unknown = std::move(next);
    }
    double guessed = 0;
    for (std::size_t m = 0; m < unknown.size(); ++m)
        guessed += unknown[m] / double(m + 1);
    return keyKnown + (1 - keyKnown) * guessed;
}

} // namespace

double ExpectedItemChance(const ExamItem &item, const QList<double> &retrievability)
{
    switch (item.format) {
    case ItemFormat::ChooseTrue:
    case ItemFormat::ChooseFalse:
        return chooseOneChance(item, retrievability);
    case ItemFormat::Pair:
    case ItemFormat::Triple:
    case ItemFormat::Single:
        break;
    }
    double chance = 1;
    for (const int id : item.bankIds)
        chance *= judgedRight(retrievability.value(id));
    return chance;
}

double ExpectedMockScore(const QList<ExamItem> &items, const QList<double> &retrievability)
{
    struct Sum
    {
        double chance = 0;
        int items = 0;
    };
    QMap<int, Sum> papers;
    for (const ExamItem &item : items) {
        Sum &sum = papers[item.paperIndex];
        sum.chance += ExpectedItemChance(item, retrievability);
        ++sum.items;
    }
    if (papers.isEmpty())
        return 0;
    double total = 0;
    for (const Sum &sum : papers)
        total += sum.chance / sum.items;
    return Percent * total / double(papers.size());
}

} // namespace kivola
