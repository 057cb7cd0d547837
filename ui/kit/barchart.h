#pragma once

#include <QList>
#include <QString>
#include <QWidget>

namespace kivola::kit {

// Horizontal bars, one a row: a label, a cream track filled in orange as far as the share
// reaches, and the figure behind it in words. Drawn by hand rather than with a chart library:
// a few bars in the program's own face and colours need no more. A screen reader gets every
// label and figure as the chart's description.
class BarChart : public QWidget
{
    Q_OBJECT

public:
    struct Bar
    {
        QString label;
        int part = 0;
        int whole = 0;
        // What the bar stands for, e.g. "52％（26／50）".
        QString figure;
    };

    explicit BarChart(QWidget *parent);

    void setBars(const QList<Bar> &bars);
    const QList<Bar> &bars() const { return m_bars; }

    // "52％（26／50）", "—" for a bar with nothing behind it.
    static QString shareText(int part, int whole);
    // "52％", "—" likewise.
    static QString percentText(int part, int whole);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<Bar> m_bars;
};

} // namespace kivola::kit
