#pragma once

#include "bank/questionbank.h"
#include "bank/studylayer.h"
#include "quiz/examitem.h"
#include "ui/kit/modalwindow.h"

namespace kivola {

namespace kit {
class Label;
}
class ItemPanel;

// One item of the exam looked at again: all its statements, the right option and the one given
// (or that none was), each statement's ○ or ×, its explanation and its source.
class FrmItemReview : public kit::ModalWindow
{
    Q_OBJECT

public:
    // `chosen` is the option given, 0 when the item was left unanswered; the heading names the
    // item where it was asked ("第3問", "問12").
    FrmItemReview(const QuestionBank &bank, const StudyLayer &layer, const ExamItem &item,
        int chosen, const QString &heading, QWidget *owner);

private:
    QuestionBank m_bank;
    StudyLayer m_layer;
    ItemPanel *m_panel;
};

} // namespace kivola
