#pragma once

class QMessageBox;
class QString;
class QWidget;

namespace kivola {

struct BankBuild;
struct StudyLayerBuild;
class StudyRecord;
class TestSession;

// The messages of the test flow and the study menu. Each opens and returns at once; the caller
// connects to the box's finished() signal to go on when the student has read it.

// Says which faults keep the bank from being used, over the main window.
QMessageBox *reportUnusableBank(const BankBuild &build, QWidget *mainWindow);
// The same for the study layer, which the windows that show or choose by it need.
QMessageBox *reportUnusableLayer(const StudyLayerBuild &build, QWidget *mainWindow);

// Tells the student, beside the owner window, of every learning record file that could not be
// used and was moved aside since the last call.
void reportStudyNotices(StudyRecord &study, QWidget *owner);

// After a graded test has gone into both records: over the result sheet, what could not be
// written. A test missing from the settings file is told in a modal message that names every
// file that failed; one missing from the learning record alone only in a notice beside the
// sheet, once a run. Null when there was nothing to say in a modal message.
QMessageBox *reportUnsavedTest(TestSession &session, QWidget *resultWindow);

// An answer of a drill could not go into the learning record: a notice beside the drill, which
// goes on all the same.
void reportUnkeptDrillAnswer(const QString &path, QWidget *owner);

// The same for an answer of the daily review.
void reportUnkeptReviewAnswer(const QString &path, QWidget *owner);

// The learning record exists but cannot be read just now (another copy holds it, or it is
// unreadable): nothing that needs it starts.
QMessageBox *reportUnreadableRecord(const QString &path, QWidget *owner);

// A plain information message of the program over the owner.
QMessageBox *inform(const char *name, const QString &text, QWidget *owner);

} // namespace kivola
