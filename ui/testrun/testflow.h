#pragma once

#include "bank/testkind.h"

#include <QList>

class QWidget;

namespace kivola {

struct BankBuild;
class StudyRecord;
class TestSession;

// Says which faults keep the bank from being used, over the main window.
void reportUnusableBank(const BankBuild &build, QWidget *mainWindow);

// A whole test on screen: five question windows in turn, then the result sheet owned by the main
// window. Closing a question window any other way than by answering abandons the test: nothing
// is graded or saved. Returns when the last window of the test has closed.
void runTest(TestSession &session, QWidget *mainWindow);

// Tells the student, beside the owner window, of every learning record file that could not be
// used and was moved aside since the last call.
void reportStudyNotices(StudyRecord &study, QWidget *owner);

// The same as runTest for a practice on the given set of statements.
void runPractice(
    TestSession &session, TestKind kind, const QList<int> &practiceSet, QWidget *mainWindow);

} // namespace kivola
