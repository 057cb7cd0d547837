#pragma once

#include "bank/questionbank.h"
#include "bank/studylayer.h"
#include "study/statementmemory.h"
#include "study/studyfigures.h"

#include <QAbstractTableModel>

namespace kivola {

// Every statement of the bank as a row, in bank order, with its study note, what the learning
// record knows of it and what the memory model says of it. Read-only: the record is read once when
// the browser opens.
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
        Memory,
        NextDue,
        ColumnCount
    };
    // The bank id of a row's statement, in every column; and the value a column sorts by.
    static constexpr int BankIdRole = Qt::UserRole;
    static constexpr int SortRole = Qt::UserRole + 1;

    QuestionTableModel(const QuestionBank &bank, const StudyLayer &layer,
        const StatementTable &figures, StatementMemory memory, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // What the filters look at, by row (row n is bank id n + 1).
    const QuestionRecord &record(int row) const { return m_bank.record(row + 1); }
    // Empty for a statement the layer has no note for.
    const QString &commentary(int row) const { return m_layer.note(row + 1).commentary; }
    const StatementFigures &figures(int row) const { return m_figures.at(row + 1); }
    int part(int row) const { return m_parts.at(row); }
    int paper(int row) const { return m_papers.at(row); }
    const StatementMemory &memory() const { return m_memory; }

private:
    // "82％" and the due date, "—" for a statement never answered.
    QString memoryText(int id) const;
    QString dueText(int id) const;

    QuestionBank m_bank;
    StudyLayer m_layer;
    StatementTable m_figures;
    StatementMemory m_memory;
    QList<int> m_parts;
    QList<int> m_papers;
    QStringList m_sources;
};

} // namespace kivola
