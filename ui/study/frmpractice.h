#pragma once

#include "quiz/practicechoice.h"
#include "ui/kit/modalwindow.h"

#include <array>

class QCheckBox;
class QPushButton;

namespace kivola {

namespace kit {
class Label;
}

// Chooses a practice by era and paper: a check box for each of the six parts, the six papers,
// the twelve periods and the six themes, and how many statements the choice holds. The practice
// can only start when it holds at least one.
class FrmPractice : public kit::ModalWindow
{
    Q_OBJECT

public:
    FrmPractice(const QuestionBank &bank, const StudyLayer &layer, const PracticeChoice &initial,
        QWidget *owner);

    PracticeChoice choice() const;
    // The statements the current choice holds, in bank order.
    QList<int> chosenIds() const;

private:
    void updateCount();

    QuestionBank m_bank;
    StudyLayer m_layer;
    std::array<QCheckBox *, PartCount> m_chkPart {};
    std::array<QCheckBox *, Papers.size()> m_chkPaper {};
    std::array<QCheckBox *, PeriodCount> m_chkPeriod {};
    std::array<QCheckBox *, ThemeCount> m_chkTheme {};
    kit::Label *m_lblCount;
    QPushButton *m_btnOK;
};

} // namespace kivola
