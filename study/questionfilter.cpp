#include "study/questionfilter.h"

#include "study/questiontablemodel.h"

namespace kivola {

namespace {

// Compatibility folding makes full- and half-width forms one; case folding then makes the
// letters' cases one.
QString folded(const QString &text)
{
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

} // namespace

QuestionFilter::QuestionFilter(QuestionTableModel *source, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_source(source)
{
    const int rows = source->rowCount();
    m_folded.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        const QuestionRecord &record = source->record(row);
        m_folded.append({folded(record.questionText), folded(record.explanation),
            folded(source->commentary(row))});
    }
    setSourceModel(source);
    setSortRole(QuestionTableModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

template <typename T> void QuestionFilter::change(T &member, const T &value)
{
    if (member == value)
        return;
    member = value;
    invalidateRowsFilter();
}

void QuestionFilter::setPart(int part)
{
    change(m_part, part);
}

void QuestionFilter::setPaper(int paperIndex)
{
    change(m_paper, paperIndex);
}

void QuestionFilter::setWrongEver(bool on)
{
    change(m_wrongEver, on);
}

void QuestionFilter::setUnseen(bool on)
{
    change(m_unseen, on);
}

void QuestionFilter::setSearchText(const QString &text)
{
    change(m_search, folded(text.trimmed()));
}

bool QuestionFilter::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_part != Any && m_source->part(sourceRow) != m_part)
        return false;
    if (m_paper != Any && m_source->paper(sourceRow) != m_paper)
        return false;
    const StatementFigures &figures = m_source->figures(sourceRow);
    if (m_wrongEver && figures.wrong == 0)
        return false;
    if (m_unseen && figures.answered > 0)
        return false;
    if (m_search.isEmpty())
        return true;
    const FoldedRow &row = m_folded.at(sourceRow);
    return row.statement.contains(m_search) || row.explanation.contains(m_search)
        || row.commentary.contains(m_search);
}

} // namespace kivola
