#include "study/questiontablemodel.h"

#include "bank/banktext.h"

#include <limits>

namespace kivola {

namespace {

QString latestText(LatestResult latest)
{
    switch (latest) {
    case LatestResult::Right:
        return QStringLiteral("正解");
    case LatestResult::Wrong:
        return QStringLiteral("不正解");
    case LatestResult::Unseen:
        break;
    }
    return QStringLiteral("未回答");
}

constexpr int Percent = 100;
// Statements never answered sort below any chance of knowing one, and after any due date.
constexpr double UnseenRetrievability = -1;
constexpr qint64 UnseenDueDay = std::numeric_limits<qint64>::max();

} // namespace

QString QuestionTableModel::memoryText(int id) const
{
    if (!m_memory.isSeen(id))
        return QStringLiteral("—");
    return QStringLiteral("%1％").arg(qRound(m_memory.retrievability.value(id) * Percent));
}

QString QuestionTableModel::dueText(int id) const
{
    if (!m_memory.isSeen(id))
        return QStringLiteral("—");
    const QDate due = m_memory.due.at(id);
    if (m_memory.today.isValid() && due <= m_memory.today)
        return QStringLiteral("今日");
    // The year only where it is not this year's: the column stays narrow.
    return due.toString(m_memory.today.isValid() && due.year() == m_memory.today.year()
            ? QStringLiteral("M/d")
            : QStringLiteral("yyyy/M/d"));
}

QuestionTableModel::QuestionTableModel(const QuestionBank &bank, const StudyLayer &layer,
    const StatementTable &figures, StatementMemory memory, QObject *parent)
    : QAbstractTableModel(parent)
    , m_bank(bank)
    , m_layer(layer)
    , m_figures(figures)
    , m_memory(std::move(memory))
{
    const int count = bank.questionCount();
    // A record shorter than the bank reads as unseen for the rest.
    m_figures.resize(qMax(m_figures.size(), qsizetype(count) + 1));
    m_parts.reserve(count);
    m_papers.reserve(count);
    m_sources.reserve(count);
    for (int id = 1; id <= count; ++id) {
        const QuestionRecord &r = bank.record(id);
        m_parts.append(partOf(r));
        m_papers.append(paperIndexOf(r));
        m_sources.append(
            QStringLiteral("%1 第%2問 問%3").arg(PaperLabel(m_papers.last()), r.partNo, r.itemNo));
    }
}

int QuestionTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_bank.questionCount();
}

int QuestionTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant QuestionTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    const QuestionRecord &r = record(row);
    const StatementFigures &f = figures(row);
    switch (role) {
    case BankIdRole:
        return row + 1;
    case SortRole:
        switch (index.column()) {
        case Source:
            return row;
        case Statement:
            return r.questionText;
        case Answer:
            return int(codeOf(r.answerCode) == AnswerTrue);
        case Answered:
            return f.answered;
        case Latest:
            return int(f.latest);
        case Memory:
            return m_memory.isSeen(row + 1) ? m_memory.retrievability.value(row + 1)
                                            : UnseenRetrievability;
        case NextDue:
            return m_memory.isSeen(row + 1) ? m_memory.due.at(row + 1).toJulianDay() : UnseenDueDay;
        default:
            return {};
        }
    case Qt::DisplayRole:
        switch (index.column()) {
        case Source:
            return m_sources.at(row);
        case Statement:
            return r.questionText;
        case Answer:
            return AnswerMark(codeOf(r.answerCode));
        case Answered:
            return f.answered;
        case Latest:
            return latestText(f.latest);
        case Memory:
            return memoryText(row + 1);
        case NextDue:
            return dueText(row + 1);
        default:
            return {};
        }
    case Qt::AccessibleTextRole:
        if (index.column() == Answer)
            return spokenAnswer(codeOf(r.answerCode));
        return data(index, Qt::DisplayRole);
    case Qt::ToolTipRole:
        return index.column() == Statement ? r.questionText : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == Source || index.column() == Statement
            ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
            : QVariant(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant QuestionTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::ToolTipRole && orientation == Qt::Horizontal) {
        if (section == Memory)
            return QStringLiteral("いま覚えている見込み");
        if (section == NextDue)
            return QStringLiteral("今日の復習に次に出る日");
        return {};
    }
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case Source:
        return QStringLiteral("出典");
    case Statement:
        return QStringLiteral("問題文");
    case Answer:
        return QStringLiteral("正解");
    case Answered:
        return QStringLiteral("回答数");
    case Latest:
        return QStringLiteral("最新の結果");
    case Memory:
        return QStringLiteral("記憶");
    case NextDue:
        return QStringLiteral("次の復習");
    default:
        return {};
    }
}

} // namespace kivola
