#include "ui/study/studymenu.h"

#include "session/testsession.h"
#include "study/studyrecord.h"
#include "ui/study/frmbrowser.h"
#include "ui/study/frmpractice.h"
#include "ui/study/frmrecord.h"
#include "ui/testrun/testflow.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace kivola {

namespace {

QAction *addItem(QMenu *menu, const char *name, const QString &text)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

StudyMenu::StudyMenu(TestSession &session, QMainWindow *mainWindow, QAction *before)
    : QObject(mainWindow)
    , m_session(session)
    , m_mainWindow(mainWindow)
{
    auto *mnuStudy = new QMenu(QStringLiteral("学習(&S)"), mainWindow->menuBar());
    mnuStudy->setObjectName(QStringLiteral("mnuStudy"));
    mainWindow->menuBar()->insertMenu(before, mnuStudy);
    connect(addItem(mnuStudy, "mnuStudyMistakes", QStringLiteral("間違えた問題を練習(&M)")),
        &QAction::triggered, this, &StudyMenu::practiseMistakes);
    connect(addItem(mnuStudy, "mnuStudyUnseen", QStringLiteral("まだ解いていない問題を練習(&N)")),
        &QAction::triggered, this, &StudyMenu::practiseUnseen);
    connect(addItem(mnuStudy, "mnuStudyChoose", QStringLiteral("時代・試験を選んで練習(&E)...")),
        &QAction::triggered, this, &StudyMenu::practiseChosen);
    mnuStudy->addSeparator();
    connect(addItem(mnuStudy, "mnuStudyRecord", QStringLiteral("学習記録(&R)...")),
        &QAction::triggered, this, &StudyMenu::showRecord);
    connect(addItem(mnuStudy, "mnuStudyBrowse", QStringLiteral("問題一覧(&B)...")),
        &QAction::triggered, this, &StudyMenu::browse);
}

void StudyMenu::practiseMistakes()
{
    StudyRecord &study = m_session.study();
    const std::optional<StatementTable> figures = study.statementFigures();
    reportStudyNotices(study, m_mainWindow);
    practise(TestKind::PracticeMistakes, figures ? latestWrong(*figures) : QList<int>(),
        QStringLiteral("まだ間違えた問題はありません。\nまずはテストを受けてみましょう"));
}

void StudyMenu::practiseUnseen()
{
    StudyRecord &study = m_session.study();
    const std::optional<StatementTable> figures = study.statementFigures();
    reportStudyNotices(study, m_mainWindow);
    practise(TestKind::PracticeUnseen, figures ? neverAnswered(*figures) : QList<int>(),
        QStringLiteral("すべての問題に一度は答えました。お見事です！\n"
                       "間違えた問題の練習もどうぞ"));
}

void StudyMenu::practiseChosen()
{
    const QuestionBank *bank = usableBank();
    if (!bank)
        return;
    StudyRecord &study = m_session.study();
    const PracticeChoice initial = PracticeChoice::fromText(study.value(QLatin1String(ChoiceKey)))
                                       .value_or(PracticeChoice::everything());
    reportStudyNotices(study, m_mainWindow);
    FrmPractice dialog(*bank, initial, m_mainWindow);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Remembering the choice is a convenience: a record that cannot be written does not stop
    // the practice.
    study.setValue(QLatin1String(ChoiceKey), dialog.choice().toText());
    practise(TestKind::PracticeChosen, dialog.chosenIds(), QString());
}

void StudyMenu::showRecord()
{
    const QuestionBank *bank = usableBank();
    if (!bank)
        return;
    StudyRecord &study = m_session.study();
    const StatementTable figures = study.statementFigures().value_or(emptyStatementTable());
    const QList<TestPoints> tests
        = study.testPoints(FrmRecord::ShownTests).value_or(QList<TestPoints>());
    reportStudyNotices(study, m_mainWindow);
    FrmRecord window(*bank, figures, tests, m_mainWindow);
    window.exec();
}

void StudyMenu::browse()
{
    const QuestionBank *bank = usableBank();
    if (!bank)
        return;
    StudyRecord &study = m_session.study();
    const StatementTable figures = study.statementFigures().value_or(emptyStatementTable());
    reportStudyNotices(study, m_mainWindow);
    QList<int> ids;
    {
        FrmBrowser window(*bank, figures, m_mainWindow);
        if (window.exec() != QDialog::Accepted)
            return;
        ids = window.selectedIds();
    }
    // The browser is gone before the first question opens: one modal chain at a time.
    practise(TestKind::PracticeSelected, ids, QString());
}

const QuestionBank *StudyMenu::usableBank()
{
    const BankBuild &build = m_session.quiz().rebuildBank();
    if (!build.isUsable()) {
        reportUnusableBank(build, m_mainWindow);
        return nullptr;
    }
    return &build.bank;
}

void StudyMenu::practise(TestKind kind, const QList<int> &ids, const QString &whenEmpty)
{
    if (ids.isEmpty()) {
        inform(whenEmpty);
        return;
    }
    runPractice(m_session, kind, ids, m_mainWindow);
}

void StudyMenu::inform(const QString &text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Torenza Kivola"), text,
        QMessageBox::Ok, m_mainWindow);
    box.setObjectName(QStringLiteral("nothingToPractiseMessage"));
    box.exec();
}

} // namespace kivola
