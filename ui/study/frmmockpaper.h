#pragma once

#include "bank/studylayer.h"
#include "quiz/mockpaper.h"
#include "ui/kit/modalwindow.h"

#include <QPointer>

#include <memory>

class QCheckBox;
class QLabel;
class QMessageBox;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QTimer;

namespace kivola {

class ItemPanel;
class MockPaperSession;

// One mock paper, an item at a time: options chosen by click or key and changed at will, items
// marked to look at again, the answer sheet to see every answer and jump to any item, and the
// countdown. Accepted once the paper has ended, by the student or at zero; closed before that,
// the paper stays under way to be taken up again.
class FrmMockPaper : public kit::ModalWindow
{
    Q_OBJECT

public:
    // The countdown ticks once a second while the window is on screen.
    static constexpr int TickMs = 1000;

    FrmMockPaper(const QuestionBank &bank, const StudyLayer &layer,
        std::unique_ptr<MockPaperSession> session, QWidget *owner);
    ~FrmMockPaper() override;

    // The paper as it stands; graded once the window was accepted.
    const MockPaper &paper() const;
    bool timeRanOut() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showCurrentItem();
    void showSheet(bool shown);
    void fillSheet();
    void jumpTo(int index);
    void tick();
    void updateClock();
    void askToFinish();
    void finish();
    void reportWriteFailure();

    std::unique_ptr<MockPaperSession> m_session;
    ItemPanel *m_panel;
    QStackedWidget *m_pages;
    QTableWidget *m_tblSheet;
    QCheckBox *m_chkFlag;
    QLabel *m_lblClock;
    QLabel *m_lblProgress;
    QLabel *m_lblNotice;
    QPushButton *m_btnPrevious;
    QPushButton *m_btnNext;
    QPushButton *m_btnSheet;
    QPushButton *m_btnFinish;
    QTimer *m_timer = nullptr;
    QPointer<QMessageBox> m_askFinish;
};

} // namespace kivola
