#include "ui/testrun/testflow.h"

#include "scores/scorestore.h"
#include "session/testsession.h"
#include "study/studyrecord.h"
#include "ui/testrun/frmquestion.h"
#include "ui/testrun/frmresult.h"

#include <QDir>
#include <QMessageBox>
#include <QTimer>

namespace kivola {

namespace {

// How many content faults the message lists before it says how many more there are.
constexpr int ShownFaults = 5;

const QString MessageTitle = QStringLiteral("Torenza Kivola");

} // namespace

void reportUnusableBank(const BankBuild &build, QWidget *mainWindow)
{
    QStringList lines;
    for (const ContentError &error :
        build.errors.first(std::min<qsizetype>(ShownFaults, build.errors.size())))
        lines.append(error.toString());
    if (build.errors.size() > ShownFaults)
        lines.append(QStringLiteral("ほか%1件").arg(build.errors.size() - ShownFaults));
    if (!build.missingPapers.isEmpty())
        lines.append(QStringLiteral("見つからない問題ファイル：")
            + build.missingPapers.join(QStringLiteral("、")));
    QMessageBox box(QMessageBox::Warning, MessageTitle,
        QStringLiteral("問題データがそろっていないため、テストを始められません。"), QMessageBox::Ok,
        mainWindow);
    box.setInformativeText(lines.join(u'\n'));
    box.exec();
}

namespace {

// Said over the result sheet, so the student sees the score first and then learns that it did
// not count.
void reportUnsavedScore(const QString &settingsPath, QWidget *resultWindow)
{
    QMessageBox box(QMessageBox::Warning, MessageTitle,
        QStringLiteral(
            "成績ファイルに書き込めなかったため、今回のテストは成績表に記録されていません。"),
        QMessageBox::Ok, resultWindow);
    box.setObjectName(QStringLiteral("unsavedScoreMessage"));
    box.setInformativeText(QDir::toNativeSeparators(settingsPath));
    box.exec();
}

// Problems with the learning record never hold the student up: a notice beside the window, gone
// with it.
void showStudyNotice(
    const QString &name, const QString &text, const QString &details, QWidget *owner)
{
    auto *box
        = new QMessageBox(QMessageBox::Information, MessageTitle, text, QMessageBox::Ok, owner);
    box->setObjectName(name);
    box->setInformativeText(details);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void reportStudyProblems(TestSession &session, QWidget *resultWindow)
{
    StudyRecord &study = session.study();
    reportStudyNotices(study, resultWindow);
    if (session.takeFirstStudyFailure()) {
        showStudyNotice(QStringLiteral("studyUnsavedNotice"),
            QStringLiteral("学習記録に書き込めなかったため、今回の解答は学習記録に残りません。"
                           "成績表にはいつもどおり記録されます。"),
            QDir::toNativeSeparators(study.path()), resultWindow);
    }
}

void runStarted(TestSession &session, Quiz::StartOutcome started, QWidget *mainWindow)
{
    Quiz &quiz = session.quiz();
    if (started == Quiz::StartOutcome::BankUnusable) {
        reportUnusableBank(quiz.lastBuild(), mainWindow);
        return;
    }
    while (quiz.isAnswering()) {
        FrmQuestion question(session);
        if (question.exec() != QDialog::Accepted)
            return;
    }
    FrmResult result(quiz, session.store(), mainWindow);
    result.showResult(quiz.graded(), session.resultTitle());
    QTimer::singleShot(0, &result, [&session, &result] {
        if (session.lastSaveFailed())
            reportUnsavedScore(session.store().path(), &result);
        reportStudyProblems(session, &result);
    });
    result.exec();
}

} // namespace

void reportStudyNotices(StudyRecord &study, QWidget *owner)
{
    for (const StudyNotice &notice : study.takeNotices()) {
        showStudyNotice(QStringLiteral("studyMovedAsideNotice"),
            QStringLiteral(
                "学習記録のファイルが読めなかったため、別の名前で残して新しく記録を始めました。"),
            QDir::toNativeSeparators(notice.movedTo), owner);
    }
}

void runTest(TestSession &session, QWidget *mainWindow)
{
    runStarted(session, session.begin(), mainWindow);
}

void runPractice(
    TestSession &session, TestKind kind, const QList<int> &practiceSet, QWidget *mainWindow)
{
    runStarted(session, session.beginPractice(kind, practiceSet), mainWindow);
}

} // namespace kivola
