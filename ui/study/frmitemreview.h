#pragma once

#include "bank/questionbank.h"
#include "bank/studylayer.h"
#include "quiz/examitem.h"
#include "ui/kit/modalwindow.h"

#include <optional>

namespace kivola {

namespace kit {
class Label;
}
class ItemPanel;

// One item of the exam looked at again: all its statements, the right option and the one given
// (or that none was), each statement's ○ or ×, its explanation, study note and source.
class FrmItemReview : public kit::ModalWindow
{
    Q_OBJECT

public:
    // `chosen` is the option given, 0 when the item was left unanswered; the heading names the
    // item where it was asked ("第3問", "問12").
    FrmItemReview(const QuestionBank &bank, const StudyLayer &layer, const ExamItem &item,
        int chosen, const QString &heading, QWidget *owner);
    // The item looked at outside any answer to it, as a statement picked from the record: no
    // verdict line, only the right option marked; a single statement in a smaller window.
    FrmItemReview(const QuestionBank &bank, const StudyLayer &layer, const ExamItem &item,
        const QString &heading, QWidget *owner);

private:
    FrmItemReview(const QuestionBank &bank, const StudyLayer &layer, const ExamItem &item,
        const QString &heading, std::optional<int> chosen, QSize clientTwips, QWidget *owner);

    QuestionBank m_bank;
    StudyLayer m_layer;
    ItemPanel *m_panel;
};

} // namespace kivola
