#pragma once

#include "bank/questionbank.h"
#include "bank/studylayer.h"
#include "study/statementmemory.h"
#include "study/studyfigures.h"
#include "ui/kit/modalwindow.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace kivola {

class QuestionFilter;
class QuestionTableModel;
namespace kit {
class Label;
}

// Every statement in a table to look one up, filter by part, paper and record, or search; the
// answers, explanations and commentaries stay hidden until asked for, so the table doubles as a
// quiz. Accepted when the student
// asks to practise the selected statements. Beside the record, each statement's chance of being
// known now and its next review, as the memory model sees them.
class FrmBrowser : public kit::ModalWindow
{
    Q_OBJECT

public:
    static constexpr int MaxPractised = 5;

    FrmBrowser(const QuestionBank &bank, const StudyLayer &layer, const StatementTable &figures,
        StatementMemory memory, QWidget *owner);

    // The bank ids of the selected rows in the order shown, at most MaxPractised of them.
    QList<int> selectedIds() const;

private:
    void showAnswers(bool shown);
    void showExplanation();
    void updateCount();

    QuestionTableModel *m_model;
    QuestionFilter *m_filter;
    QTableView *m_tblQuestions;
    QLineEdit *m_txtSearch;
    QComboBox *m_cboPart;
    QComboBox *m_cboPaper;
    QCheckBox *m_chkWrongEver;
    QCheckBox *m_chkUnseen;
    QCheckBox *m_chkShowAnswer;
    kit::Label *m_lblCount;
    kit::Label *m_lblComment;
    kit::Label *m_lblCommentary;
    QPushButton *m_btnPractice;
};

} // namespace kivola
