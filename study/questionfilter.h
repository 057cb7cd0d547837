#pragma once

#include <QList>
#include <QSortFilterProxyModel>
#include <QString>

namespace kivola {

class QuestionTableModel;

// The browser's filters over the statements, all at once: part, paper, answered wrong at least
// once, never answered, and text in the statement, its explanation or its commentary.
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
    // Blind to case and to the width of letters, digits and kana, so that "1951" finds
    // "１９５１" and "ＧＨＱ" finds "ghq"; the empty text matches everything.
    void setSearchText(const QString &text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    template <typename T> void change(T &member, const T &value);

    struct FoldedRow
    {
        QString statement;
        QString explanation;
        QString commentary;
    };

    QuestionTableModel *m_source;
    // Folded once: every keystroke searches all statements again.
    QList<FoldedRow> m_folded;
    int m_part = Any;
    int m_paper = Any;
    bool m_wrongEver = false;
    bool m_unseen = false;
    QString m_search;
};

} // namespace kivola
