#include "bank/grading.h"
#include "tests/support/flowfixture.h"
#include "tests/support/testfiles.h"
#include "tests/support/uitest.h"
#include "ui/frmmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using namespace kivola;
using uitest::child;
using uitest::textOf;

namespace {

void click(QWidget *window, const QString &name)
{
    auto *button = child<QPushButton>(window, name);
    QVERIFY2(button, qPrintable(name));
    button->click();
}

// Answers the five questions in turn, noting each heading and question text.
void answerAll(uitest::ModalScript &script, const QList<int> &answers,
    QStringList *headings = nullptr, QStringList *texts = nullptr)
{
    for (int code : answers) {
        script.expect(QStringLiteral("frmQuestion"), [=](QWidget *w) {
            if (headings)
                headings->append(textOf(w, QStringLiteral("Title1a")));
            if (texts)
                texts->append(textOf(w, QStringLiteral("lblQuestion")));
            click(w, QStringLiteral("btnYesNo%1").arg(code));
        });
    }
}

} // namespace

class TestTestFlow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void fiveAnswersGradeAndSaveOnce();
    void sameQuestionTwiceIsGradedTwice();
    void abandonedTestLeavesNoTrace();
    void reviewShowsDrawnQuestion();
    void reportFromResultAfterFirstTest();
    void incompleteBankStaysOnMainWindow();
    void unsavedScoreIsToldOverResult_data();
    void unsavedScoreIsToldOverResult();
    void unsavedLearningRecordIsToldOncePerRun();
};

void TestTestFlow::initTestCase()
{
    uitest::setUpApplication();
}

void TestTestFlow::cleanup()
{
    QVERIFY(uitest::noWindowLeft());
}

void TestTestFlow::fiveAnswersGradeAndSaveOnce()
{
    FlowFixture f({1, 3, 5, 2, 4});
    writeFile(f.store.path(), "[MAIN]\r\nNO= 3\r\nGETS= 160\r\n");
    FrmMain main(f.session);
    main.show();

    uitest::ModalScript script;
    QStringList headings;
    QStringList texts;
    QByteArray beforeLastAnswer;
    answerAll(script, {1, 2, 1, 1}, &headings, &texts);
    script.expect(QStringLiteral("frmQuestion"), [&](QWidget *w) {
        beforeLastAnswer = fileContent(f.store.path());
        headings.append(textOf(w, QStringLiteral("Title1a")));
        click(w, QStringLiteral("btnYesNo2"));
    });
    QStringList rows;
    QString score, comment, title, titleShadow;
    QWidget *owner = nullptr;
    bool questionLeft = true;
    script.expect(QStringLiteral("frmResult"), [&](QWidget *w) {
        for (int row = 0; row < 5; ++row)
            rows.append(textOf(w, QStringLiteral("lblScore%1").arg(row))
                + textOf(w, QStringLiteral("lblYours%1").arg(row))
                + textOf(w, QStringLiteral("lblRight%1").arg(row)));
        score = textOf(w, QStringLiteral("txtScore"));
        comment = textOf(w, QStringLiteral("lblComment"));
        title = textOf(w, QStringLiteral("Title2a"));
        titleShadow = textOf(w, QStringLiteral("Title2b"));
        owner = w->parentWidget();
        questionLeft = false;
        for (QWidget *top : QApplication::topLevelWidgets())
            questionLeft |= top->objectName() == QLatin1String("frmQuestion") && top->isVisible();
        click(w, QStringLiteral("btnOK"));
    });
    script.start();
    click(&main, QStringLiteral("CBottun"));

    QVERIFY(script.finished());
    QCOMPARE(headings, (QStringList {u"第1問"_s, u"第2問"_s, u"第3問"_s, u"第4問"_s, u"第5問"_s}));
    QCOMPARE(texts.first(), fixture::question(1).questionText);
    QCOMPARE(beforeLastAnswer, QByteArray("[MAIN]\r\nNO= 3\r\nGETS= 160\r\n"));
    QCOMPARE(rows, (QStringList {u"20○○"_s, u"0×○"_s, u"20○○"_s, u"0○×"_s, u"20××"_s}));
    QCOMPARE(score, QStringLiteral("60点"));
    QCOMPARE(comment, CommentFor(6));
    QCOMPARE(title, QStringLiteral("第4回 採点結果"));
    QCOMPARE(titleShadow, title);
    QCOMPARE(owner, &main);
    QVERIFY(!questionLeft);
    QCOMPARE(fileContent(f.store.path()), QByteArray("[MAIN]\r\nNO= 4\r\nGETS= 220\r\n"));
    QVERIFY(main.isEnabled());
}

void TestTestFlow::sameQuestionTwiceIsGradedTwice()
{
    FlowFixture f({7, 7, 8, 8, 9});
    FrmMain main(f.session);
    uitest::ModalScript script;
    answerAll(script, {1, 2, 2, 1, 1});
    QString score;
    script.expect(QStringLiteral("frmResult"), [&](QWidget *w) {
        score = textOf(w, QStringLiteral("txtScore"));
        w->close();
    });
    script.start();
    click(&main, QStringLiteral("CBottun"));
    QVERIFY(script.finished());
    QCOMPARE(score, QStringLiteral("60点"));
    QCOMPARE(f.store.testsTaken(), 1);
}

void TestTestFlow::abandonedTestLeavesNoTrace()
{
    FlowFixture f({10, 20, 30, 40, 50, 60, 70, 80, 90, 100});
    const QByteArray before = "; kept\r\n[MAIN]\r\nNO= 2\r\nGETS= 100\r\n";
    writeFile(f.store.path(), before);
    FrmMain main(f.session);

    uitest::ModalScript script;
    answerAll(script, {1, 1});
    script.expect(QStringLiteral("frmQuestion"), [](QWidget *w) { w->close(); });
    script.start();
    click(&main, QStringLiteral("CBottun"));
    QVERIFY(script.finished());
    QCOMPARE(fileContent(f.store.path()), before);
    QCOMPARE(f.store.testsTaken(), 2);

    // The next test starts again from question 1 with five new questions.
    uitest::ModalScript again;
    QStringList headings;
    QStringList texts;
    answerAll(again, {1, 1, 1, 1, 1}, &headings, &texts);
    again.expect(QStringLiteral("frmResult"), [](QWidget *w) { w->close(); });
    again.start();
    click(&main, QStringLiteral("CBottun"));
    QVERIFY(again.finished());
    QCOMPARE(headings.first(), QStringLiteral("第1問"));
    QCOMPARE(texts.first(), fixture::question(60).questionText);
    QCOMPARE(f.store.testsTaken(), 3);
}

void TestTestFlow::reviewShowsDrawnQuestion()
{
    FlowFixture f({10, 20, 31, 40, 50});
    FrmMain main(f.session);
    uitest::ModalScript script;
    answerAll(script, {2, 2, 2, 2, 2});
    QWidget *result = nullptr;
    script.expect(QStringLiteral("frmResult"), [&](QWidget *w) {
        result = w;
        click(w, QStringLiteral("btnReview2"));
    });
    QString question, mark, comment, title;
    QWidget *owner = nullptr;
    script.expect(QStringLiteral("frmReview"), [&](QWidget *w) {
        question = textOf(w, QStringLiteral("lblQuestion"));
        mark = textOf(w, QStringLiteral("txtAnswer"));
        comment = textOf(w, QStringLiteral("lblComment"));
        title = textOf(w, QStringLiteral("Title2a"));
        owner = w->parentWidget();
        click(w, QStringLiteral("btnOK"));
    });
    bool backOnResult = false;
    script.expect(QStringLiteral("frmResult"), [&](QWidget *w) {
        backOnResult = w == result;
        click(w, QStringLiteral("btnOK"));
    });
    script.start();
    click(&main, QStringLiteral("CBottun"));
    QVERIFY(script.finished());
    QCOMPARE(question, fixture::question(31).questionText);
    QCOMPARE(mark, QStringLiteral("○"));
    QCOMPARE(comment, QStringLiteral("解説はありませんm(_ _)m"));
    QCOMPARE(title, QStringLiteral("第3問 見直し"));
    QCOMPARE(owner, result);
    QVERIFY(backOnResult);
}

void TestTestFlow::reportFromResultAfterFirstTest()
{
    FlowFixture f({1, 2, 3, 4, 5});
    FrmMain main(f.session);
    uitest::ModalScript script;
    answerAll(script, {1, 2, 1, 2, 1});
    QWidget *result = nullptr;
    script.expect(QStringLiteral("frmResult"), [&](QWidget *w) {
        result = w;
        click(w, QStringLiteral("Command1"));
    });
    QString count, total;
    QWidget *owner = nullptr;
    script.expect(QStringLiteral("frmScore"), [&](QWidget *w) {
        count = textOf(w, QStringLiteral("lblNo"));
        total = textOf(w, QStringLiteral("lblScore"));
        owner = w->parentWidget();
        click(w, QStringLiteral("btnOK"));
    });
    script.expect(
        QStringLiteral("frmResult"), [](QWidget *w) { click(w, QStringLiteral("btnOK")); });
    script.start();
    click(&main, QStringLiteral("CBottun"));
    QVERIFY(script.finished());
    QCOMPARE(count, QStringLiteral("1回"));
    QCOMPARE(total, QStringLiteral("100点"));
    QCOMPARE(owner, result);
}

void TestTestFlow::incompleteBankStaysOnMainWindow()
{
    FlowFixture f({1});
    Quiz quiz(
        [] {
            return BankBuild {fixture::completeBank(), {}, {QStringLiteral("2001-main.tsv")}};
        },
        f.random);
    TestSession session(quiz, f.store, f.study);
    FrmMain main(session);
    uitest::ModalScript script;
    QString details;
    script.expect(QStringLiteral("QMessageBox"), [&](QWidget *w) {
        details = qobject_cast<QMessageBox *>(w)->informativeText();
        w->close();
    });
    script.start();
    click(&main, QStringLiteral("CBottun"));
    QVERIFY(script.finished());
    QVERIFY(details.contains(QLatin1String("2001-main.tsv")));
    QVERIFY(!QFile::exists(f.store.path()));
}

void TestTestFlow::unsavedScoreIsToldOverResult_data()
{
    QTest::addColumn<bool>("recordFailsToo");
    QTest::addColumn<QString>("said");
    QTest::newRow("settings file") << false << QStringLiteral("記録されていません");
    // A full disk: one message for both files, not two in a row.
    QTest::newRow("settings file and learning record")
        << true << QStringLiteral("成績表にも学習記録にも残りません");
}

void TestTestFlow::unsavedScoreIsToldOverResult()
{
    QFETCH(bool, recordFailsToo);
    QFETCH(QString, said);
    FlowFixture f({1, 2, 3, 4, 5});
    // A folder where the settings file should be: it can be neither read nor replaced.
    QVERIFY(QDir().mkpath(f.store.path()));
    if (recordFailsToo)
        QVERIFY(QDir().mkpath(f.study.path()));
    QStringList expectedFiles {QDir::toNativeSeparators(f.store.path())};
    if (recordFailsToo)
        expectedFiles.append(QDir::toNativeSeparators(f.study.path()));
    FrmMain main(f.session);
    uitest::ModalScript script;
    answerAll(script, {1, 1, 1, 1, 1});
    // The result window is gone once the test ends: note its name while it stands.
    QString messageOwner;
    QString message;
    QString files;
    int otherMessages = -1;
    script.expect(QStringLiteral("unsavedScoreMessage"), [&](QWidget *w) {
        messageOwner = w->parentWidget() ? w->parentWidget()->objectName() : QString();
        message = qobject_cast<QMessageBox *>(w)->text();
        files = qobject_cast<QMessageBox *>(w)->informativeText();
        w->close();
    });
    script.expect(QStringLiteral("frmResult"), [&otherMessages](QWidget *w) {
        const QList<QMessageBox *> boxes = w->findChildren<QMessageBox *>();
        otherMessages = int(std::count_if(
            boxes.cbegin(), boxes.cend(), [](const QMessageBox *box) { return box->isVisible(); }));
        click(w, QStringLiteral("btnOK"));
    });
    script.start();
    click(&main, QStringLiteral("CBottun"));
    QVERIFY(script.finished());
    QCOMPARE(messageOwner, QStringLiteral("frmResult"));
    QVERIFY2(message.contains(said), qPrintable(message));
    QCOMPARE(files.split(u'\n'), expectedFiles);
    QCOMPARE(otherMessages, 0);
    QVERIFY(QFileInfo(f.store.path()).isDir());
}

void TestTestFlow::unsavedLearningRecordIsToldOncePerRun()
{
    FlowFixture f({1, 2, 3, 4, 5});
    QVERIFY(QDir().mkpath(f.study.path()));
    FrmMain main(f.session);
    QList<int> noticesSeen;
    for (int round = 0; round < 2; ++round) {
        uitest::ModalScript script;
        answerAll(script, {1, 1, 1, 1, 1});
        script.expect(QStringLiteral("frmResult"), [&noticesSeen](QWidget *w) {
            // The notice stands beside the sheet without blocking it.
            QTest::qWait(100);
            const auto notices
                = w->findChildren<QMessageBox *>(QStringLiteral("studyUnsavedNotice"));
            noticesSeen.append(int(notices.size()));
            for (QMessageBox *notice : notices)
                QVERIFY(notice->isVisible() && !notice->isModal());
            click(w, QStringLiteral("btnOK"));
        });
        script.start();
        click(&main, QStringLiteral("CBottun"));
        QVERIFY(script.finished());
    }
    QCOMPARE(noticesSeen, (QList<int> {1, 0}));
    QCOMPARE(fileContent(f.store.path()), QByteArray("[MAIN]\r\nNO= 2\r\nGETS= 120\r\n"));
}

QTEST_MAIN(TestTestFlow)
#include "tst_testflow.moc"
