#pragma once

#include <QList>
#include <QString>
#include <QWidget>

namespace kivola::kit {

// Upright columns side by side, one a day or a group: a count drawn as an orange column on a
// cream ground, the count above it and a short label below. The tallest column fills the
// height; a count of 0 leaves a bare baseline. A screen reader gets every label and count as the
// chart's description.
class ColumnChart : public QWidget
{
    Q_OBJECT

public:
    struct Column
    {
        QString label;
        int value = 0;
        // What a screen reader says for the column, e.g. "4月12日：5問".
        QString spoken;
    };

    explicit ColumnChart(QWidget *parent);

    void setColumns(const QList<Column> &columns);
    const QList<Column> &columns() const { return m_columns; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<Column> m_columns;
};

} // namespace kivola::kit
