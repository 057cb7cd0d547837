#pragma once

#include <QSortFilterProxyModel>

namespace kivola {

class QuestionTableModel;

// The browser's filters over the statements, all at once: part, paper, answered wrong at least
// once, never answered, and text in the statement or its explanation.
class QuestionFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    static constexpr int Any = -1;

    QuestionFilter(QuestionTableModel *source, QObject *parent);

    // Part 1..6 or Any.
    void setPart(int part);
    // Paper index in bank order or Any.
    void setPaper(int paperIndex);
    void setWrongEver(bool on);
    void setUnseen(bool on);
    // Case-insensitive; the empty text matches everything.
    void setSearchText(const QString &text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    template <typename T> void change(T &member, const T &value);

    QuestionTableModel *m_source;
    int m_part = Any;
    int m_paper = Any;
    bool m_wrongEver = false;
    bool m_unseen = false;
    QString m_search;
};

} // namespace kivola
