#include "testflow.h"

#include "frmquestion.h"
#include "frmresult.h"
#include "scorestore.h"
#include "testsession.h"

#include <QDir>
#include <QMessageBox>
#include <QTimer>

namespace kivola {

namespace {

// How many content faults the message lists before it says how many more there are.
constexpr int ShownFaults = 5;

const QString MessageTitle = QStringLiteral("Torenza Kivola");

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

} // namespace

void runTest(TestSession &session, QWidget *mainWindow)
{
    Quiz &quiz = session.quiz();
    if (session.begin() == Quiz::StartOutcome::BankUnusable) {
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
    if (session.lastSaveFailed()) {
        QTimer::singleShot(0, &result,
            [&result, path = session.store().path()] { reportUnsavedScore(path, &result); });
    }
    result.exec();
}

} // namespace kivola
