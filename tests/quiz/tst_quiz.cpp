#include "bank/banktext.h"
#include "bank/grading.h"
#include "quiz/clockrandomsource.h"
#include "quiz/quiz.h"
#include "tests/support/fixedrandomsource.h"
#include "tests/support/fixturebank.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

using namespace kivola;

class TestQuiz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void grades_data();
    void grades();
    void refusesSixthAnswer();
    void restartAfterAbandonDrawsAnew();
    void unusableBankStartsNothing();
    void idForDraw_data();
    void idForDraw();
    void clockDrawStaysInRangeAndVaries();
};

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
        << QStringList {u"20"_s, u"0"_s, u"20"_s, u"0"_s, u"20"_s} << QStringLiteral("○×○○×")
        << QStringLiteral("○○○××") << QStringLiteral("60点") << 6;
    QTest::newRow("all correct") << QList<int> {1, 2, 565, 564, 283} << QList<int> {1, 2, 1, 2, 1}
                                 << QStringList {u"20"_s, u"20"_s, u"20"_s, u"20"_s, u"20"_s}
                                 << QStringLiteral("○×○×○") << QStringLiteral("○×○×○")
                                 << QStringLiteral("100点") << 10;
    QTest::newRow("none correct") << QList<int> {1, 2, 3, 4, 5} << QList<int> {2, 1, 2, 1, 2}
                                  << QStringList {u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s}
                                  << QStringLiteral("×○×○×") << QStringLiteral("○×○×○")
                                  << QStringLiteral("0点") << 0;
    QTest::newRow("same question drawn five times")
        << QList<int> {7, 7, 7, 7, 7} << QList<int> {1, 2, 1, 2, 1}
        << QStringList {u"20"_s, u"0"_s, u"20"_s, u"0"_s, u"20"_s} << QStringLiteral("○×○×○")
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

    FixedRandomSource random(fixture::uniformsFor(ids));
    Quiz quiz(fixture::completeBuild, random);
    QCOMPARE(quiz.StartTest(), Quiz::StartOutcome::Started);
    for (int n = 1; n <= QuestionsPerTest; ++n) {
        QCOMPARE(int(quiz.run().selectedIds[n]), ids.at(n - 1));
        QCOMPARE(quiz.run().currentNo, n);
        QCOMPARE(quiz.currentQuestion(), fixture::question(ids.at(n - 1)));
        const auto outcome = quiz.RecordAnswer(AnswerCode(answers.at(n - 1)));
        QCOMPARE(outcome,
            n < QuestionsPerTest ? Quiz::AnswerOutcome::NextQuestion : Quiz::AnswerOutcome::Graded);
    }

    const GradedTest &graded = quiz.graded();
    for (int i = 0; i < QuestionsPerTest; ++i) {
        const GradedAnswer &answer = graded.answers[i];
        QCOMPARE(int(answer.bankId), ids.at(i));
        QCOMPARE(QString::number(answer.points), points.at(i));
        QCOMPARE(answer.isRight(), answer.points > 0);
        QCOMPARE(AnswerMark(answer.given), yourMarks.at(i));
        QCOMPARE(AnswerMark(answer.correct), rightMarks.at(i));
    }
    QCOMPARE(ScoreText(graded.score), scoreText);
    QCOMPARE(graded.rank, rank);
    QCOMPARE(quiz.run().testScore, graded.score);
    QCOMPARE(quiz.run().currentNo, 6);
    QCOMPARE(quiz.ScoreTest(), graded);
}

void TestQuiz::refusesSixthAnswer()
{
    FixedRandomSource random(fixture::uniformsFor({2}));
    Quiz quiz(fixture::completeBuild, random);
    quiz.StartTest();
    for (int n = 1; n <= QuestionsPerTest; ++n)
        quiz.RecordAnswer(AnswerFalse);
    const GradedTest graded = quiz.graded();
    QCOMPARE(quiz.RecordAnswer(AnswerTrue), Quiz::AnswerOutcome::NoTestRunning);
    QCOMPARE(quiz.graded(), graded);
    QCOMPARE(quiz.run().answers[QuestionsPerTest], AnswerFalse);
}

void TestQuiz::restartAfterAbandonDrawsAnew()
{
    FixedRandomSource random(fixture::uniformsFor({10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    Quiz quiz(fixture::completeBuild, random);
    quiz.StartTest();
    quiz.RecordAnswer(AnswerTrue);
    quiz.RecordAnswer(AnswerTrue);

    // The student closed the question window: the next start begins from scratch.
    QCOMPARE(quiz.StartTest(), Quiz::StartOutcome::Started);
    QCOMPARE(quiz.run().currentNo, 1);
    QCOMPARE(quiz.run().testScore, 0);
    QCOMPARE(random.seeds, 2);
    QCOMPARE(quiz.run().selectedIds[1], 60);
}

void TestQuiz::unusableBankStartsNothing()
{
    FixedRandomSource random(fixture::uniformsFor({1}));
    Quiz quiz(
        [] {
            return BankBuild {fixture::completeBank(), {}, {QStringLiteral("2001-main.tsv")}};
        },
        random);
    QCOMPARE(quiz.StartTest(), Quiz::StartOutcome::BankUnusable);
    QCOMPARE(random.seeds, 0);
    QVERIFY(!quiz.isAnswering());
    QCOMPARE(quiz.RecordAnswer(AnswerTrue), Quiz::AnswerOutcome::NoTestRunning);
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
