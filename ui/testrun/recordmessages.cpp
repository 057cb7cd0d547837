#include "ui/testrun/recordmessages.h"

#include "bank/questionbank.h"
#include "bank/studylayer.h"
#include "scores/scorestore.h"
#include "session/testsession.h"
#include "study/studyrecord.h"
#include "ui/kit/modalwindow.h"

#include <QDir>
#include <QMessageBox>

namespace kivola {

namespace {

// How many content faults the message lists before it says how many more there are.
constexpr int ShownFaults = 5;

const QString MessageTitle = QStringLiteral("Torenza Kivola");

QMessageBox *openMessage(QMessageBox::Icon icon, const char *name, const QString &text,
    const QString &details, QWidget *owner)
{
    auto *box = new QMessageBox(icon, MessageTitle, text, QMessageBox::Ok, owner);
    box->setObjectName(QString::fromLatin1(name));
    box->setInformativeText(details);
    kit::showModal(box);
    return box;
}

// Problems with the learning record never hold the student up: a notice beside the window, gone
// with it.
void showStudyNotice(const char *name, const QString &text, const QString &details, QWidget *owner)
{
    auto *box
        = new QMessageBox(QMessageBox::Information, MessageTitle, text, QMessageBox::Ok, owner);
    box->setObjectName(QString::fromLatin1(name));
    box->setInformativeText(details);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

// The first faults of some content, then how many more there are and the files missing.
QStringList faultLines(
    const QList<ContentError> &errors, const QString &missingCaption, const QStringList &missing)
{
    QStringList lines;
    for (const ContentError &error : errors.first(std::min<qsizetype>(ShownFaults, errors.size())))
        lines.append(error.toString());
    if (errors.size() > ShownFaults)
        lines.append(QStringLiteral("ほか%1件").arg(errors.size() - ShownFaults));
    if (!missing.isEmpty())
        lines.append(missingCaption + missing.join(QStringLiteral("、")));
    return lines;
}

} // namespace

QMessageBox *reportUnusableBank(const BankBuild &build, QWidget *mainWindow)
{
    const QStringList lines = faultLines(
        build.errors, QStringLiteral("見つからない問題ファイル："), build.missingPapers);
    return openMessage(QMessageBox::Warning, "unusableBankMessage",
        QStringLiteral("問題データがそろっていないため、テストを始められません。"),
        lines.join(u'\n'), mainWindow);
}

QMessageBox *reportUnusableLayer(const StudyLayerBuild &build, QWidget *mainWindow)
{
    const QStringList lines = faultLines(
        build.errors, QStringLiteral("見つからない解説・補足ファイル："), build.missingFiles);
    return openMessage(QMessageBox::Warning, "unusableLayerMessage",
        QStringLiteral("解説・補足のデータがそろっていないため、この練習を始められません。"),
        lines.join(u'\n'), mainWindow);
}

void reportStudyNotices(StudyRecord &study, QWidget *owner)
{
    for (const StudyNotice &notice : study.takeNotices()) {
        showStudyNotice("studyMovedAsideNotice",
            QStringLiteral(
                "学習記録のファイルが読めなかったため、別の名前で残して新しく記録を始めました。"),
            QDir::toNativeSeparators(notice.movedTo), owner);
    }
}

QMessageBox *reportUnsavedTest(TestSession &session, QWidget *resultWindow)
{
    StudyRecord &study = session.study();
    reportStudyNotices(study, resultWindow);
    const QString settingsPath = QDir::toNativeSeparators(session.store().path());
    const QString studyPath = QDir::toNativeSeparators(study.path());
    // Said over the result sheet, so the student sees the score first and then learns that it
    // did not count.
    if (session.lastSaveFailed() && session.lastStudySaveFailed()) {
        session.takeFirstStudyFailure();
        return openMessage(QMessageBox::Warning, "unsavedScoreMessage",
            QStringLiteral("成績ファイルにも学習記録にも書き込めなかったため、今回のテストは"
                           "成績表にも学習記録にも残りません。"
                           "ディスクの空きや書き込みの権限を確かめてください。"),
            settingsPath + u'\n' + studyPath, resultWindow);
    }
    if (session.lastSaveFailed()) {
        return openMessage(QMessageBox::Warning, "unsavedScoreMessage",
            QStringLiteral(
                "成績ファイルに書き込めなかったため、今回のテストは成績表に記録されていません。"),
            settingsPath, resultWindow);
    }
    if (session.takeFirstStudyFailure()) {
        showStudyNotice("studyUnsavedNotice",
            QStringLiteral("学習記録に書き込めなかったため、今回の解答は学習記録に残りません。"
                           "成績表にはいつもどおり記録されます。"),
            studyPath, resultWindow);
    }
    return nullptr;
}

void reportUnkeptDrillAnswer(const QString &path, QWidget *owner)
{
    showStudyNotice("drillUnsavedNotice",
        QStringLiteral("学習記録に書き込めなかったため、この解答は学習記録に残りません。"
                       "練習はこのまま続けられます。"),
        QDir::toNativeSeparators(path), owner);
}

void reportUnkeptReviewAnswer(const QString &path, QWidget *owner)
{
    showStudyNotice("reviewUnsavedNotice",
        QStringLiteral("学習記録に書き込めなかったため、この解答は学習記録に残りません。"
                       "復習はこのまま続けられます。"),
        QDir::toNativeSeparators(path), owner);
}

QMessageBox *reportUnreadableRecord(const QString &path, QWidget *owner)
{
    return openMessage(QMessageBox::Information, "unreadableRecordMessage",
        QStringLiteral("学習記録をいまは読み込めませんでした。ほかの Torenza Kivola が使って"
                       "いるのかもしれません。少し待ってから、もう一度どうぞ。"),
        QDir::toNativeSeparators(path), owner);
}

QMessageBox *inform(const char *name, const QString &text, QWidget *owner)
{
    return openMessage(QMessageBox::Information, name, text, QString(), owner);
}

} // namespace kivola
