#pragma once

#include "study/studyfigures.h"

#include <QList>
#include <QWidget>

namespace kivola {

// The points of the latest tests in the order they were taken: a round dot for an ordinary
// test, a diamond for a practice, and the running average as a line. A screen reader gets the
// average, the latest test and every test's points as the chart's description.
class PointsChart : public QWidget
{
    Q_OBJECT

public:
    explicit PointsChart(QWidget *parent);

    // Oldest first.
    void setTests(const QList<TestPoints> &tests);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawLegend(QPainter &painter, const QRect &area);

    QList<TestPoints> m_tests;
    QList<double> m_average;
};

} // namespace kivola
