#pragma once

#include "study/studyfigures.h"
#include "ui/study/reviewfigures.h"

#include <QWidget>

namespace kivola {

namespace kit {
class BarChart;
class Label;
} // namespace kit

// The study record by the study layer's periods and themes, the second page of the study-record
// window: the share of right answers in each, the weakest named once it has been answered often
// enough, and beside them the memory model's mean chance of knowing each group's statements now
// and on the exam day, row beside row.
class RecordLayerPage : public QWidget
{
    Q_OBJECT

public:
    explicit RecordLayerPage(QWidget *parent);

    void setAccuracy(const PeriodAccuracy &periods, const ThemeAccuracy &themes);
    // Shows nothing of the memory model when the figures are not known.
    void setMemory(const ReviewFigures &review);

private:
    kit::BarChart *m_chartPeriods;
    kit::BarChart *m_chartThemes;
    kit::Label *m_lblWeakestPeriod;
    kit::Label *m_lblWeakestTheme;
    kit::BarChart *m_chartPeriodsNow;
    kit::BarChart *m_chartPeriodsOnExam;
    kit::BarChart *m_chartThemesNow;
    kit::BarChart *m_chartThemesOnExam;
    kit::Label *m_lblMemoryNote;
    QList<QWidget *> m_memoryWidgets;
};

} // namespace kivola
