#include "testflow.h"

#include "frmquestion.h"
#include "frmresult.h"
#include "quiz.h"

#include <QMessageBox>

namespace kivola {

namespace {

// How many content faults the message lists before it says how many more there are.
constexpr int ShownFaults = 5;

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
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Torenza Kivola"),
        QStringLiteral("問題データがそろっていないため、テストを始められません。"), QMessageBox::Ok,
        mainWindow);
    box.setInformativeText(lines.join(u'\n'));
    box.exec();
}

} // namespace

void runTest(Quiz &quiz, ScoreStore &store, QWidget *mainWindow)
{
    if (quiz.StartTest() == Quiz::StartOutcome::BankUnusable) {
        reportUnusableBank(quiz.lastBuild(), mainWindow);
        return;
    }
    while (quiz.isAnswering()) {
        FrmQuestion question(quiz);
        if (question.exec() != QDialog::Accepted)
            return;
    }
    FrmResult result(quiz, store, mainWindow);
    result.showResult(quiz.result());
    result.exec();
}

} // namespace kivola
