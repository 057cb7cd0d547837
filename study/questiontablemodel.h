#pragma once

#include "bank/questionbank.h"
#include "study/studyfigures.h"

#include <QAbstractTableModel>

namespace kivola {

// Every statement of the bank as a row, in bank order, with what the learning record knows of
// it. Read-only: the record is read once when the browser opens.
class QuestionTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        Source,
        Statement,
        Answer,
        Answered,
        Latest,
        ColumnCount
    };
    // The bank id of a row's statement, in every column; and the value a column sorts by.
    static constexpr int BankIdRole = Qt::UserRole;
    static constexpr int SortRole = Qt::UserRole + 1;

    QuestionTableModel(const QuestionBank &bank, const StatementTable &figures, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // What the filters look at, by row (row n is bank id n + 1).
    const QuestionRecord &record(int row) const { return m_bank.record(row + 1); }
    const StatementFigures &figures(int row) const { return m_figures.at(row + 1); }
    int part(int row) const { return m_parts.at(row); }
    int paper(int row) const { return m_papers.at(row); }

private:
    QuestionBank m_bank;
    StatementTable m_figures;
    QList<int> m_parts;
    QList<int> m_papers;
    QStringList m_sources;
};

} // namespace kivola
