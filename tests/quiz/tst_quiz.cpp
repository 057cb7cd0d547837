#include "clockrandomsource.h"
#include "fixedrandomsource.h"
#include "fixturebank.h"
#include "grading.h"
#include "quiz.h"
#include "scorestore.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

class TestQuiz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void grades_data();
    void grades();
    void attemptTitleCountsEarlierTests_data();
    void attemptTitleCountsEarlierTests();
    void savesOnceAfterFifthAnswer();
    void refusesSixthAnswer();
    void restartAfterAbandonDrawsAnew();
    void startReloadsCountersFromFile();
    void unusableBankStartsNothing();
    void idForDraw_data();
    void idForDraw();
    void clockDrawStaysInRangeAndVaries();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_iniPath;
};

void TestQuiz::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_iniPath = ScoreStore::pathIn(m_dir->path());
}

void TestQuiz::grades_data()
{
    // Fixture questions: odd ids are true statements, even ids false ones.
    QTest::addColumn<QList<int>>("ids");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("points");
    QTest::addColumn<QString>("yourMarks");
    QTest::addColumn<QString>("rightMarks");
    QTest::addColumn<QString>("scoreText");
    QTest::addColumn<int>("rank");

    QTest::newRow("three of five")
        << QList<int> {1, 3, 5, 2, 4} << QList<int> {1, 2, 1, 1, 2}
        << QStringList {"20", "0", "20", "0", "20"} << QStringLiteral("○×○○×")
        << QStringLiteral("○○○××") << QStringLiteral("60点") << 6;
    QTest::newRow("all correct") << QList<int> {1, 2, 565, 564, 283} << QList<int> {1, 2, 1, 2, 1}
                                 << QStringList {"20", "20", "20", "20", "20"}
                                 << QStringLiteral("○×○×○") << QStringLiteral("○×○×○")
                                 << QStringLiteral("100点") << 10;
    QTest::newRow("none correct") << QList<int> {1, 2, 3, 4, 5} << QList<int> {2, 1, 2, 1, 2}
                                  << QStringList {"0", "0", "0", "0", "0"}
                                  << QStringLiteral("×○×○×") << QStringLiteral("○×○×○")
                                  << QStringLiteral("0点") << 0;
    QTest::newRow("same question drawn five times")
        << QList<int> {7, 7, 7, 7, 7} << QList<int> {1, 2, 1, 2, 1}
        << QStringList {"20", "0", "20", "0", "20"} << QStringLiteral("○×○×○")
        << QStringLiteral("○○○○○") << QStringLiteral("60点") << 6;
}

void TestQuiz::grades()
{
    QFETCH(QList<int>, ids);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, points);
    QFETCH(QString, yourMarks);
    QFETCH(QString, rightMarks);
    QFETCH(QString, scoreText);
    QFETCH(int, rank);

    ScoreStore store(m_iniPath);
    FixedRandomSource random(fixture::uniformsFor(ids));
    Quiz quiz(fixture::completeBuild, store, random);
    QCOMPARE(quiz.StartTest(), Quiz::StartOutcome::Started);
    for (int n = 1; n <= QuestionsPerTest; ++n) {
        QCOMPARE(int(quiz.run().selectedIds[n]), ids.at(n - 1));
        QCOMPARE(quiz.run().currentNo, n);
        QCOMPARE(quiz.currentQuestion(), fixture::question(ids.at(n - 1)));
        const auto outcome = quiz.RecordAnswer(AnswerCode(answers.at(n - 1)));
        QCOMPARE(outcome,
            n < QuestionsPerTest ? Quiz::AnswerOutcome::NextQuestion : Quiz::AnswerOutcome::Graded);
    }

    const TestResult &result = quiz.result();
    for (int i = 0; i < QuestionsPerTest; ++i) {
        QCOMPARE(result.rows[i].pointsText, points.at(i));
        QCOMPARE(result.rows[i].yourMark, yourMarks.at(i));
        QCOMPARE(result.rows[i].rightMark, rightMarks.at(i));
    }
    QCOMPARE(result.scoreText, scoreText);
    QCOMPARE(result.rank, rank);
    QCOMPARE(result.comment, CommentFor(rank));
    QCOMPARE(quiz.run().testScore, result.score);
    QCOMPARE(quiz.run().currentNo, 6);
    QCOMPARE(store.testsTaken(), 1);
    QCOMPARE(store.totalPoints(), result.score);
}

void TestQuiz::attemptTitleCountsEarlierTests_data()
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

void TestQuiz::attemptTitleCountsEarlierTests()
{
    QFETCH(QByteArray, iniBefore);
    QFETCH(QByteArray, iniMeanwhile);
    QFETCH(QString, title);
    QFETCH(QByteArray, iniAfter);

    if (!iniBefore.isEmpty())
        writeFile(m_iniPath, iniBefore);
    ScoreStore store(m_iniPath);
    FixedRandomSource random(fixture::uniformsFor({1, 3, 5, 2, 4}));
    Quiz quiz(fixture::completeBuild, store, random);
    quiz.StartTest();
    if (!iniMeanwhile.isEmpty())
        writeFile(m_iniPath, iniMeanwhile);
    for (AnswerCode answer : {1, 2, 1, 1, 2})
        quiz.RecordAnswer(answer);
    QCOMPARE(quiz.result().attemptTitle, title);
    QCOMPARE(fileContent(m_iniPath), iniAfter);
}

void TestQuiz::savesOnceAfterFifthAnswer()
{
    ScoreStore store(m_iniPath);
    FixedRandomSource random(fixture::uniformsFor({1}));
    Quiz quiz(fixture::completeBuild, store, random);
    quiz.StartTest();
    for (int n = 1; n < QuestionsPerTest; ++n) {
        quiz.RecordAnswer(AnswerTrue);
        QVERIFY(!QFile::exists(m_iniPath));
    }
    quiz.RecordAnswer(AnswerTrue);
    QCOMPARE(fileContent(m_iniPath), QByteArray("[MAIN]\r\nNO= 1\r\nGETS= 100\r\n"));
    QVERIFY(!quiz.lastSaveFailed());
}

void TestQuiz::refusesSixthAnswer()
{
    ScoreStore store(m_iniPath);
    FixedRandomSource random(fixture::uniformsFor({2}));
    Quiz quiz(fixture::completeBuild, store, random);
    quiz.StartTest();
    for (int n = 1; n <= QuestionsPerTest; ++n)
        quiz.RecordAnswer(AnswerFalse);
    const QByteArray saved = fileContent(m_iniPath);
    QCOMPARE(quiz.RecordAnswer(AnswerFalse), Quiz::AnswerOutcome::NoTestRunning);
    QCOMPARE(fileContent(m_iniPath), saved);
    QCOMPARE(store.testsTaken(), 1);
}

void TestQuiz::restartAfterAbandonDrawsAnew()
{
    writeFile(m_iniPath, "[MAIN]\nNO= 2\nGETS= 80\n");
    ScoreStore store(m_iniPath);
    FixedRandomSource random(fixture::uniformsFor({10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    Quiz quiz(fixture::completeBuild, store, random);
    quiz.StartTest();
    quiz.RecordAnswer(AnswerTrue);
    quiz.RecordAnswer(AnswerTrue);

    // The student closed the question window: the next start begins from scratch.
    QCOMPARE(quiz.StartTest(), Quiz::StartOutcome::Started);
    QCOMPARE(quiz.run().currentNo, 1);
    QCOMPARE(quiz.run().testScore, 0);
    QCOMPARE(random.seeds, 2);
    QCOMPARE(quiz.run().selectedIds[1], 60);
    QCOMPARE(fileContent(m_iniPath), QByteArray("[MAIN]\nNO= 2\nGETS= 80\n"));
    QCOMPARE(store.testsTaken(), 2);
}

void TestQuiz::startReloadsCountersFromFile()
{
    ScoreStore store(m_iniPath);
    FixedRandomSource random(fixture::uniformsFor({1}));
    Quiz quiz(fixture::completeBuild, store, random);
    quiz.StartTest();
    QCOMPARE(store.testsTaken(), 0);
    writeFile(m_iniPath, "[MAIN]\nNO= 9\nGETS= 400\n");
    quiz.StartTest();
    QCOMPARE(store.testsTaken(), 9);
    QCOMPARE(store.totalPoints(), 400);
}

void TestQuiz::unusableBankStartsNothing()
{
    ScoreStore store(m_iniPath);
    FixedRandomSource random(fixture::uniformsFor({1}));
    Quiz quiz(
        [] {
            return BankBuild {fixture::completeBank(), {}, {QStringLiteral("2001-main.tsv")}};
        },
        store, random);
    QCOMPARE(quiz.StartTest(), Quiz::StartOutcome::BankUnusable);
    QCOMPARE(random.seeds, 0);
    QVERIFY(!quiz.isAnswering());
    QCOMPARE(quiz.RecordAnswer(AnswerTrue), Quiz::AnswerOutcome::NoTestRunning);
    QVERIFY(!QFile::exists(m_iniPath));
}

void TestQuiz::idForDraw_data()
{
    QTest::addColumn<float>("uniform");
    QTest::addColumn<int>("id");

    QTest::newRow("zero") << 0.0f << 1;
    QTest::newRow("just below 1/565") << std::nextafter(1.0f / 565, 0.0f) << 1;
    QTest::newRow("half") << 0.5f << 283;
    QTest::newRow("largest float below one") << std::nextafter(1.0f, 0.0f) << 565;
    QTest::newRow("one is clamped") << 1.0f << 565;
    QTest::newRow("negative is clamped") << -0.1f << 1;
}

void TestQuiz::idForDraw()
{
    QFETCH(float, uniform);
    QFETCH(int, id);
    QCOMPARE(int(Quiz::idForDraw(uniform)), id);
}

void TestQuiz::clockDrawStaysInRangeAndVaries()
{
    ClockRandomSource random;
    random.seedFromClock();
    QList<int> first;
    QSet<int> seen;
    for (int i = 0; i < 20000; ++i) {
        const float r = random.uniform();
        QVERIFY(r >= 0.0f && r < 1.0f);
        const int id = Quiz::idForDraw(r);
        seen.insert(id);
        if (i < 5)
            first.append(id);
    }
    // 20000 uniform draws over 565 ids miss one with a probability far below 1e-10.
    QCOMPARE(seen.size(), QuestionBank::QuestionCount);

    random.seedFromClock();
    QList<int> second;
    for (int i = 0; i < 5; ++i)
        second.append(Quiz::idForDraw(random.uniform()));
    QVERIFY(first != second);
}

QTEST_GUILESS_MAIN(TestQuiz)
#include "tst_quiz.moc"
