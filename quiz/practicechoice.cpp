#include "quiz/practicechoice.h"

#include <QStringList>

#include <algorithm>

namespace kivola {

namespace {

const QString PartsKey = QStringLiteral("parts=");
const QString PapersKey = QStringLiteral("papers=");
const QString PeriodsKey = QStringLiteral("periods=");
const QString ThemesKey = QStringLiteral("themes=");
// Parts, papers, and in the newer form periods and themes.
constexpr qsizetype OldFieldCount = 2;
constexpr qsizetype FieldCount = 4;

template <std::size_t N> QString indexList(const std::array<bool, N> &flags, int first)
{
    QStringList numbers;
    for (std::size_t i = 0; i < N; ++i) {
        if (flags[i])
            numbers.append(QString::number(int(i) + first));
    }
    return numbers.join(u',');
}

template <std::size_t N>
bool readIndexList(const QString &text, int first, std::array<bool, N> &flags)
{
    if (text.isEmpty())
        return true;
    for (const QString &number : text.split(u',')) {
        bool ok = false;
        const int index = number.toInt(&ok) - first;
        if (!ok || index < 0 || index >= int(N))
            return false;
        flags[std::size_t(index)] = true;
    }
    return true;
}

} // namespace

PracticeChoice PracticeChoice::everything()
{
    PracticeChoice choice;
    choice.parts.fill(true);
    choice.papers.fill(true);
    choice.periods.fill(true);
    choice.themes.fill(true);
    return choice;
}

bool PracticeChoice::coversNote(const StudyNote &note) const
{
    if (!periods[std::size_t(note.period)])
        return false;
    for (std::size_t i = 0; i < themes.size(); ++i) {
        if (themes[i] && note.themes.testFlag(AllThemes[i]))
            return true;
    }
    return false;
}

QList<int> PracticeChoice::idsIn(const QuestionBank &bank, const StudyLayer &layer) const
{
    QList<int> ids;
    for (int id = 1; id <= bank.questionCount(); ++id) {
        const QuestionRecord &record = bank.record(id);
        const int part = partOf(record);
        const int paper = paperIndexOf(record);
        if (part >= 1 && parts[std::size_t(part - 1)] && paper >= 0 && papers[std::size_t(paper)]
            && coversNote(layer.note(id)))
            ids.append(id);
    }
    return ids;
}

QList<ExamItem> PracticeChoice::itemsIn(const QList<ExamItem> &items, const StudyLayer &layer) const
{
    QList<ExamItem> covered;
    std::copy_if(items.cbegin(), items.cend(), std::back_inserter(covered),
        [this, &layer](const ExamItem &item) {
            return item.part >= 1 && item.part <= PartCount && parts[std::size_t(item.part - 1)]
                && item.paperIndex >= 0 && item.paperIndex < int(papers.size())
                && papers[std::size_t(item.paperIndex)]
                && std::any_of(item.bankIds.cbegin(), item.bankIds.cend(),
                    [this, &layer](int id) { return coversNote(layer.note(id)); });
        });
    return covered;
}

QString PracticeChoice::toText() const
{
    return PartsKey + indexList(parts, 1) + u';' + PapersKey + indexList(papers, 0) + u';'
        + PeriodsKey + indexList(periods, 0) + u';' + ThemesKey + indexList(themes, 0);
}

std::optional<PracticeChoice> PracticeChoice::fromText(const QString &text)
{
    const QStringList fields = text.split(u';');
    if ((fields.size() != OldFieldCount && fields.size() != FieldCount)
        || !fields[0].startsWith(PartsKey) || !fields[1].startsWith(PapersKey))
        return std::nullopt;
    PracticeChoice choice;
    if (!readIndexList(fields[0].mid(PartsKey.size()), 1, choice.parts)
        || !readIndexList(fields[1].mid(PapersKey.size()), 0, choice.papers))
        return std::nullopt;
    if (fields.size() == OldFieldCount) {
        choice.periods.fill(true);
        choice.themes.fill(true);
        return choice;
    }
    if (!fields[2].startsWith(PeriodsKey) || !fields[3].startsWith(ThemesKey)
        || !readIndexList(fields[2].mid(PeriodsKey.size()), 0, choice.periods)
        || !readIndexList(fields[3].mid(ThemesKey.size()), 0, choice.themes))
        return std::nullopt;
    return choice;
}

} // namespace kivola
