#pragma once

#include "ui/kit/modalwindow.h"

namespace kivola {

namespace kit {
class Label;
}
struct ScoreSummary;

// The score report: tests taken, total points, average rate, level and comment, white on a
// green panel. The report figures are written in before the window is shown.
class FrmScore : public kit::ModalWindow
{
    Q_OBJECT

public:
    explicit FrmScore(QWidget *owner);

    // Writes count and total, then rate, comment and level when at least one test was taken.
    void showSummary(const ScoreSummary &summary);

private:
    kit::Label *m_lblNo;
    kit::Label *m_lblScore;
    kit::Label *m_lblRate;
    kit::Label *m_lblComment;
    kit::Label *m_lblLevel;
};

} // namespace kivola
