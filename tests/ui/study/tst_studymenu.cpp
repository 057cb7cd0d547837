#include "study/completedtest.h"
#include "tests/support/flowfixture.h"
#include "tests/support/testfiles.h"
#include "tests/support/uitest.h"
#include "ui/frmmain.h"
#include "ui/study/frmitemdrill.h"
#include "ui/study/studymenu.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace kivola;
using uitest::child;
using uitest::textOf;

namespace {

// Ids of the fixture questions by their text "テスト用の問題n番の文です。".
int idOfText(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("問題(\\d+)番"));
    return number.match(text).captured(1).toInt();
}

void trigger(FrmMain &main, const QString &name)
{
    auto *action = main.findChild<QAction *>(name);
    QVERIFY2(action, qPrintable(name));
    action->trigger();
}

// Answers five questions "○", noting their ids, and closes the result sheet, noting its title.
void answerPractice(uitest::ModalScript &script, QList<int> &ids, QString &title)
{
    for (int n = 0; n < 5; ++n) {
        script.expect(QStringLiteral("frmQuestion"), [&ids](QWidget *w) {
            ids.append(idOfText(textOf(w, QStringLiteral("lblQuestion"))));
            child<QPushButton>(w, QStringLiteral("btnYesNo1"))->click();
        });
    }
    script.expect(QStringLiteral("frmResult"), [&title](QWidget *w) {
        title = textOf(w, QStringLiteral("Title2a"));
        child<QPushButton>(w, QStringLiteral("btnOK"))->click();
    });
}

// Starts a practice from the menu and answers it through answerPractice. A practice of fewer
// than five is told first: its message is noted in fillUp.
void practiseFromMenu(FrmMain &main, const QString &action, QList<int> &ids, QString &title,
    QString *fillUp = nullptr)
{
    uitest::ModalScript script;
    if (fillUp) {
        script.expect(QStringLiteral("practiceFillUpMessage"), [fillUp](QWidget *w) {
            *fillUp = qobject_cast<QMessageBox *>(w)->text();
            w->close();
        });
    }
    answerPractice(script, ids, title);
    script.start();
    trigger(main, action);
    QVERIFY(script.finished());
}

CompletedTest testOf(const QList<int> &ids, AnswerCode given)
{
    CompletedTest test;
    test.finishedUtc = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < 5; ++i) {
        const bool right = (ids.at(i) % 2 == 1) == (given == AnswerTrue);
        test.answers[i] = {i + 1, ids.at(i), given, right};
        test.points += right ? 20 : 0;
    }
    return test;
}

} // namespace

class TestStudyMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void practiseMistakes();
    void practiseUnseen();
    void practiseChosen();
    void drillOnChosenItems();
    void nothingToPractise_data();
    void nothingToPractise();
    void unreadableRecordStartsNothing_data();
    void unreadableRecordStartsNothing();
};

void TestStudyMenu::initTestCase()
{
    uitest::setUpApplication();
}

void TestStudyMenu::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestStudyMenu::practiseMistakes()
{
    FlowFixture f({1});
    // Odd ids are true: answering "×" to 1, 3 and 5 gets them wrong, 2 and 4 right.
    QVERIFY(f.study.record(testOf({1, 2, 3, 4, 5}, AnswerFalse)));
    writeFile(f.store.path(), "[MAIN]\nNO= 1\nGETS= 40\n");
    FrmMain main(f.session);
    QList<int> ids;
    QString title;
    QString fillUp;
    practiseFromMenu(main, QStringLiteral("mnuStudyMistakes"), ids, title, &fillUp);

    QCOMPARE(fillUp,
        QStringLiteral("間違えた問題は3問です。残りはまだ解いていない問題から2問を選んで、"
                       "5問の練習にします。"));
    QCOMPARE(title, QStringLiteral("練習 採点結果"));
    QCOMPARE(QSet<int>(ids.cbegin(), ids.cend()).size(), 5);
    // The three mistakes, then two never answered.
    for (int id : {1, 3, 5})
        QVERIFY(ids.contains(id));
    QVERIFY(!ids.contains(2) && !ids.contains(4));
    QCOMPARE(fileContent(f.store.path()), QByteArray("[MAIN]\nNO= 1\nGETS= 40\n"));
    const auto tests = f.study.testPoints();
    QCOMPARE(tests->size(), 2);
    QCOMPARE(tests->last().kind, TestKind::PracticeMistakes);
    // Answered "○" this time: the mistakes are now right, the even ids filled in are wrong.
    QList<int> evenIds;
    for (int id : ids) {
        if (id % 2 == 0)
            evenIds.append(id);
    }
    std::sort(evenIds.begin(), evenIds.end());
    QCOMPARE(latestWrong(*f.study.statementFigures()), evenIds);
}

void TestStudyMenu::practiseUnseen()
{
    FlowFixture f({1});
    for (int id = 1; id <= 556; id += 5) {
        const QList<int> five {id, id + 1, id + 2, id + 3, id + 4};
        QVERIFY(f.study.record(testOf(five, AnswerTrue)));
    }
    FrmMain main(f.session);
    QList<int> ids;
    QString title;
    practiseFromMenu(main, QStringLiteral("mnuStudyUnseen"), ids, title);
    // 1..560 are answered: the five never answered are all there is.
    QCOMPARE(QSet<int>(ids.cbegin(), ids.cend()), (QSet<int> {561, 562, 563, 564, 565}));
    QCOMPARE(title, QStringLiteral("練習 採点結果"));
    QVERIFY(!QFile::exists(f.store.path()));
}

void TestStudyMenu::practiseChosen()
{
    FlowFixture f({1});
    FrmMain main(f.session);
    uitest::ModalScript script;
    script.expect(QStringLiteral("frmPractice"), [](QWidget *w) {
        for (int part = 1; part < 6; ++part)
            child<QCheckBox>(w, QStringLiteral("chkPart%1").arg(part))->setChecked(false);
        child<QCheckBox>(w, QStringLiteral("chkPeriod6"))->setChecked(false);
        child<QPushButton>(w, QStringLiteral("btnOK"))->click();
    });
    QList<int> ids;
    QString title;
    answerPractice(script, ids, title);
    script.start();
    trigger(main, QStringLiteral("mnuStudyChoose"));
    QVERIFY(script.finished());
    // Part 1 of the fixture bank is the ids divisible by six; without period 6, by twelve.
    QCOMPARE(ids.size(), 5);
    for (int id : ids)
        QCOMPARE(id % 12, 0);
    QCOMPARE(f.study.value(QLatin1String(StudyMenu::ChoiceKey)),
        QStringLiteral("parts=1;papers=0,1,2,3,4,5;periods=0,1,2,3,4,5,7,8,9,10,11;"
                       "themes=0,1,2,3,4,5"));
    QCOMPARE(f.study.testPoints()->last().kind, TestKind::PracticeChosen);

    // The next time the dialog opens with that choice.
    uitest::ModalScript again;
    bool remembered = false;
    again.expect(QStringLiteral("frmPractice"), [&remembered](QWidget *w) {
        remembered = child<QCheckBox>(w, QStringLiteral("chkPart0"))->isChecked()
            && !child<QCheckBox>(w, QStringLiteral("chkPart1"))->isChecked()
            && !child<QCheckBox>(w, QStringLiteral("chkPeriod6"))->isChecked();
        w->close();
    });
    again.start();
    trigger(main, QStringLiteral("mnuStudyChoose"));
    QVERIFY(again.finished());
    QVERIFY(remembered);
}

void TestStudyMenu::drillOnChosenItems()
{
    FlowFixture f({1});
    f.study.setValue(QLatin1String(StudyMenu::ChoiceKey), QStringLiteral("parts=2;papers=2"));
    FrmMain main(f.session);
    uitest::ModalScript script;
    bool openedWithEverything = false;
    script.expect(QStringLiteral("frmPractice"), [&openedWithEverything](QWidget *w) {
        openedWithEverything = child<QCheckBox>(w, QStringLiteral("chkPart0"))->isChecked()
            && child<QCheckBox>(w, QStringLiteral("chkPart5"))->isChecked();
        for (int part = 0; part < 5; ++part)
            child<QCheckBox>(w, QStringLiteral("chkPart%1").arg(part))->setChecked(false);
        child<QPushButton>(w, QStringLiteral("btnOK"))->click();
    });
    QList<int> drawn;
    script.expect(QStringLiteral("frmItemDrill"), [&drawn](QWidget *w) {
        for (const ExamItem &item : static_cast<FrmItemDrill *>(w)->roundItems())
            drawn.append(item.bankIds);
        w->close();
    });
    script.start();
    trigger(main, QStringLiteral("mnuStudyDrill"));
    QVERIFY(script.finished());
    QVERIFY(openedWithEverything);
    // Part 6 of the fixture bank: ids leaving 5 over six.
    QCOMPARE(drawn.size(), 5);
    for (int id : drawn)
        QCOMPARE(id % 6, 5);
    QCOMPARE(f.study.value(QLatin1String(StudyMenu::DrillChoiceKey)),
        QStringLiteral("parts=6;papers=0,1,2,3,4,5;periods=0,1,2,3,4,5,6,7,8,9,10,11;"
                       "themes=0,1,2,3,4,5"));
    QCOMPARE(
        f.study.value(QLatin1String(StudyMenu::ChoiceKey)), QStringLiteral("parts=2;papers=2"));
    QVERIFY(!QFile::exists(f.store.path()));
}

void TestStudyMenu::nothingToPractise_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("everythingAnswered");

    QTest::newRow("no mistakes yet") << QStringLiteral("mnuStudyMistakes") << false;
    QTest::newRow("nothing left unanswered") << QStringLiteral("mnuStudyUnseen") << true;
}

void TestStudyMenu::nothingToPractise()
{
    QFETCH(QString, action);
    QFETCH(bool, everythingAnswered);
    FlowFixture f({1});
    if (everythingAnswered) {
        for (int id = 1; id <= QuestionBank::QuestionCount; id += 5) {
            const QList<int> five {
                id, qMin(id + 1, 565), qMin(id + 2, 565), qMin(id + 3, 565), qMin(id + 4, 565)};
            QVERIFY(f.study.record(testOf(five, AnswerTrue)));
        }
    }
    FrmMain main(f.session);
    uitest::ModalScript script;
    QWidget *owner = nullptr;
    script.expect(QStringLiteral("nothingToPractiseMessage"), [&owner](QWidget *w) {
        owner = w->parentWidget();
        w->close();
    });
    script.start();
    trigger(main, action);
    QVERIFY(script.finished());
    QCOMPARE(owner, &main);
    QCOMPARE(f.random.seeds, 0);
}

void TestStudyMenu::unreadableRecordStartsNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("practice of mistakes") << QStringLiteral("mnuStudyMistakes");
    QTest::newRow("practice of the unanswered") << QStringLiteral("mnuStudyUnseen");
    QTest::newRow("study record") << QStringLiteral("mnuStudyRecord");
    QTest::newRow("question browser") << QStringLiteral("mnuStudyBrowse");
}

void TestStudyMenu::unreadableRecordStartsNothing()
{
    QFETCH(QString, action);
    FlowFixture f({1});
    // A folder where the record should be: it cannot be read, yet is nothing to move aside.
    QVERIFY(QDir().mkpath(f.study.path()));
    FrmMain main(f.session);
    uitest::ModalScript script;
    QString details;
    QStringList shown;
    script.expect(QStringLiteral("unreadableRecordMessage"), [&](QWidget *w) {
        details = qobject_cast<QMessageBox *>(w)->informativeText();
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->isVisible())
                shown.append(top->objectName());
        }
        w->close();
    });
    script.start();
    trigger(main, action);
    QVERIFY(script.finished());
    QCOMPARE(details, QDir::toNativeSeparators(f.study.path()));
    QCOMPARE(shown, (QStringList {QStringLiteral("unreadableRecordMessage")}));
    QCOMPARE(f.random.seeds, 0);
}

QTEST_MAIN(TestStudyMenu)
#include "tst_studymenu.moc"
