#include "tests/support/flowfixture.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

class TestTestSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void titleCountsEarlierTests_data();
    void titleCountsEarlierTests();
    void savesOnceAfterFifthAnswer();
    void sixthAnswerSavesNothing();
    void abandonedTestIsNotCounted();
    void beginReloadsCountersFromFile();
    void unwritableRecordIsReported();
    void keepsEveryAnswer_data();
    void keepsEveryAnswer();
    void abandonedTestLeavesNoRecord();
    void unwritableLearningRecordKeepsScore();
    void waitingTestIsKeptWhateverComesNext_data();
    void waitingTestIsKeptWhateverComesNext();
};

void TestTestSession::titleCountsEarlierTests_data()
{
    QTest::addColumn<QByteArray>("iniBefore");
    QTest::addColumn<QByteArray>("iniMeanwhile");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QByteArray>("iniAfter");

    QTest::newRow("first test ever")
        << QByteArray() << QByteArray() << QStringLiteral("第1回 採点結果")
        << QByteArray("[MAIN]\r\nNO= 1\r\nGETS= 60\r\n");
    QTest::newRow("after three tests")
        << QByteArray("[MAIN]\nNO= 3\nGETS= 160\n") << QByteArray()
        << QStringLiteral("第4回 採点結果") << QByteArray("[MAIN]\nNO= 4\nGETS= 220\n");
    // Another copy of the program finished two tests while this one was answering: the title
    // keeps the count seen at the start, the record keeps the other copy's tests.
    QTest::newRow("other copy saved meanwhile")
        << QByteArray("[MAIN]\nNO= 3\nGETS= 160\n") << QByteArray("[MAIN]\nNO= 5\nGETS= 260\n")
        << QStringLiteral("第4回 採点結果") << QByteArray("[MAIN]\nNO= 6\nGETS= 320\n");
}

void TestTestSession::titleCountsEarlierTests()
{
    QFETCH(QByteArray, iniBefore);
    QFETCH(QByteArray, iniMeanwhile);
    QFETCH(QString, title);
    QFETCH(QByteArray, iniAfter);

    FlowFixture f({1, 3, 5, 2, 4});
    if (!iniBefore.isEmpty())
        writeFile(f.store.path(), iniBefore);
    TestSession &session = f.session;
    session.begin();
    if (!iniMeanwhile.isEmpty())
        writeFile(f.store.path(), iniMeanwhile);
    for (AnswerCode answer : {1, 2, 1, 1, 2})
        session.answer(answer);
    QCOMPARE(session.resultTitle(), title);
    QCOMPARE(fileContent(f.store.path()), iniAfter);
    QVERIFY(!session.lastSaveFailed());
}

void TestTestSession::savesOnceAfterFifthAnswer()
{
    FlowFixture f({1});
    TestSession &session = f.session;
    session.begin();
    for (int n = 1; n < QuestionsPerTest; ++n) {
        QCOMPARE(session.answer(AnswerTrue), Quiz::AnswerOutcome::NextQuestion);
        QVERIFY(!QFile::exists(f.store.path()));
    }
    QCOMPARE(session.answer(AnswerTrue), Quiz::AnswerOutcome::Graded);
    QCOMPARE(fileContent(f.store.path()), QByteArray("[MAIN]\r\nNO= 1\r\nGETS= 100\r\n"));
    QVERIFY(!session.lastSaveFailed());
}

void TestTestSession::sixthAnswerSavesNothing()
{
    FlowFixture f({2});
    TestSession &session = f.session;
    session.begin();
    for (int n = 1; n <= QuestionsPerTest; ++n)
        session.answer(AnswerFalse);
    const QByteArray saved = fileContent(f.store.path());
    QCOMPARE(session.answer(AnswerFalse), Quiz::AnswerOutcome::NoTestRunning);
    QCOMPARE(fileContent(f.store.path()), saved);
    QCOMPARE(f.store.testsTaken(), 1);
}

void TestTestSession::abandonedTestIsNotCounted()
{
    FlowFixture f({10, 20, 30, 40, 50, 60});
    writeFile(f.store.path(), "[MAIN]\nNO= 2\nGETS= 80\n");
    TestSession &session = f.session;
    session.begin();
    session.answer(AnswerTrue);
    session.answer(AnswerTrue);

    QCOMPARE(session.begin(), Quiz::StartOutcome::Started);
    QCOMPARE(fileContent(f.store.path()), QByteArray("[MAIN]\nNO= 2\nGETS= 80\n"));
    QCOMPARE(f.store.testsTaken(), 2);
    QCOMPARE(session.resultTitle(), QStringLiteral("第3回 採点結果"));
}

void TestTestSession::beginReloadsCountersFromFile()
{
    FlowFixture f({1});
    TestSession &session = f.session;
    session.begin();
    QCOMPARE(f.store.testsTaken(), 0);
    writeFile(f.store.path(), "[MAIN]\nNO= 9\nGETS= 400\n");
    session.begin();
    QCOMPARE(f.store.testsTaken(), 9);
    QCOMPARE(f.store.totalPoints(), 400);
}

void TestTestSession::unwritableRecordIsReported()
{
    FlowFixture f({1});
    QVERIFY(QDir().mkpath(f.store.path()));
    TestSession &session = f.session;
    session.begin();
    for (int n = 1; n <= QuestionsPerTest; ++n)
        session.answer(AnswerTrue);
    QVERIFY(session.lastSaveFailed());

    // The next test that saves clears the report.
    QVERIFY(QDir().rmdir(f.store.path()));
    session.begin();
    for (int n = 1; n <= QuestionsPerTest; ++n)
        session.answer(AnswerTrue);
    QVERIFY(!session.lastSaveFailed());
}

void TestTestSession::keepsEveryAnswer_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("iniAfter");
    QTest::addColumn<QString>("title");

    QTest::newRow("ordinary test")
        << int(TestKind::Ordinary) << QByteArray("[MAIN]\r\nNO= 1\r\nGETS= 60\r\n")
        << QStringLiteral("第1回 採点結果");
    QTest::newRow("practice of mistakes")
        << int(TestKind::PracticeMistakes) << QByteArray() << QStringLiteral("練習 採点結果");
    QTest::newRow("practice by era")
        << int(TestKind::PracticeChosen) << QByteArray() << QStringLiteral("練習 採点結果");
}

void TestTestSession::keepsEveryAnswer()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, iniAfter);
    QFETCH(QString, title);
    const QList<int> ids {1, 3, 5, 2, 4};
    FlowFixture f(ids);
    TestSession &session = f.session;
    if (TestKind(kind) == TestKind::Ordinary)
        session.begin();
    else
        session.beginPractice(TestKind(kind), ids);
    for (AnswerCode answer : {1, 2, 1, 1, 2})
        session.answer(answer);
    // The learning record waits until the result sheet is up.
    QVERIFY(!QFile::exists(f.study.path()));
    session.recordPendingStudy();

    QCOMPARE(session.resultTitle(), title);
    QCOMPARE(fileContent(f.store.path()), iniAfter);
    QVERIFY(!session.lastStudySaveFailed());
    const std::optional<QList<TestPoints>> tests = f.study.testPoints();
    QVERIFY(tests);
    QCOMPARE(tests->size(), 1);
    QCOMPARE(int(tests->first().kind), kind);
    QCOMPARE(tests->first().points, 60);
    const std::optional<StatementTable> figures = f.study.statementFigures();
    QVERIFY(figures);
    QCOMPARE(seenCount(*figures), 5);
    for (int id : ids)
        QVERIFY(figures->at(id).latest != LatestResult::Unseen);
    // Two of the five answers were wrong, whatever order the practice drew its five in.
    QCOMPARE(latestWrong(*figures).size(), 2);
}

void TestTestSession::abandonedTestLeavesNoRecord()
{
    FlowFixture f({1});
    TestSession &session = f.session;
    session.beginPractice(TestKind::PracticeUnseen, {});
    for (int n = 1; n < QuestionsPerTest; ++n)
        session.answer(AnswerTrue);
    session.begin();
    session.answer(AnswerTrue);
    QVERIFY(!QFile::exists(f.study.path()));
    QVERIFY(!QFile::exists(f.store.path()));
}

void TestTestSession::unwritableLearningRecordKeepsScore()
{
    FlowFixture f({1});
    QVERIFY(QDir().mkpath(f.study.path()));
    TestSession &session = f.session;
    for (int round = 0; round < 2; ++round) {
        session.begin();
        for (int n = 1; n <= QuestionsPerTest; ++n)
            session.answer(AnswerTrue);
        session.recordPendingStudy();
        QVERIFY(session.lastStudySaveFailed());
        QVERIFY(!session.lastSaveFailed());
        // Told once a run, not after every test.
        QCOMPARE(session.takeFirstStudyFailure(), round == 0);
    }
    QCOMPARE(fileContent(f.store.path()), QByteArray("[MAIN]\r\nNO= 2\r\nGETS= 200\r\n"));
}

void TestTestSession::waitingTestIsKeptWhateverComesNext_data()
{
    QTest::addColumn<QString>("next");
    QTest::newRow("another test") << QStringLiteral("test");
    QTest::newRow("a practice") << QStringLiteral("practice");
    QTest::newRow("the program ends") << QStringLiteral("end");
}

void TestTestSession::waitingTestIsKeptWhateverComesNext()
{
    QFETCH(QString, next);
    const QDateTime finished(QDate(2026, 12, 1), QTime(9, 30), Qt::UTC);
    QTemporaryDir dir;
    ScoreStore store(ScoreStore::pathIn(dir.path()));
    StudyRecord study(StudyRecord::pathIn(dir.path()));
    FixedRandomSource random(fixture::uniformsFor({4}));
    Quiz quiz(fixture::completeBuild, random);
    {
        static QDateTime clockTime;
        clockTime = finished;
        TestSession session(quiz, store, study, [] { return clockTime; });
        session.begin();
        for (int n = 1; n <= QuestionsPerTest; ++n)
            session.answer(AnswerFalse);
        QVERIFY(session.hasPendingStudy());
        if (next == QLatin1String("test"))
            session.begin();
        else if (next == QLatin1String("practice"))
            session.beginPractice(TestKind::PracticeChosen, {1});
        QCOMPARE(session.hasPendingStudy(), next == QLatin1String("end"));
    }
    const std::optional<QList<TestPoints>> tests = study.testPoints();
    QVERIFY(tests);
    QCOMPARE(tests->size(), 1);
    QCOMPARE(tests->first().finishedUtc, finished);
    QCOMPARE(tests->first().points, 100);
}

QTEST_GUILESS_MAIN(TestTestSession)
#include "tst_testsession.moc"
