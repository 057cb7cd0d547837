#include "study/questiontablemodel.h"

#include "bank/banktext.h"

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

} // namespace

QuestionTableModel::QuestionTableModel(
    const QuestionBank &bank, const StatementTable &figures, QObject *parent)
    : QAbstractTableModel(parent)
    , m_bank(bank)
    , m_figures(figures)
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
        return index.column() == Answer || index.column() == Answered || index.column() == Latest
            ? QVariant(Qt::AlignCenter)
            : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant QuestionTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
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
    default:
        return {};
    }
}

} // namespace kivola
