#pragma once

#include "bank/testkind.h"

#include <QObject>

class QAction;
class QMainWindow;

namespace kivola {

class QuestionBank;
class TestSession;

// The "学習" menu of the main window: practice where it helps, from the learning record.
// Ordinary tests and the score report are not its business.
class StudyMenu : public QObject
{
    Q_OBJECT

public:
    // Builds the menu into the main window's menu bar, in front of `before`.
    StudyMenu(TestSession &session, QMainWindow *mainWindow, QAction *before);

    // The key under which the last choice of era and paper is remembered.
    static constexpr const char *ChoiceKey = "practiceChoice";

private:
    void practiseMistakes();
    void practiseUnseen();
    void practiseChosen();
    void showRecord();
    void browse();
    // The bank for a window that needs one; reports a bank that cannot be used and gives null.
    const QuestionBank *usableBank();
    // Starts the practice, or says why there is nothing to practise.
    void practise(TestKind kind, const QList<int> &ids, const QString &whenEmpty);
    void inform(const QString &text);

    TestSession &m_session;
    QMainWindow *m_mainWindow;
};

} // namespace kivola
