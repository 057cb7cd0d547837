#include "bank/compiledpapers.h"
#include "session/mockpapersession.h"
#include "study/itemrecord.h"
#include "tests/support/helperprocess.h"
#include "tests/support/sqlitefile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

Q_DECLARE_METATYPE(kivola::AttemptState)

namespace {

constexpr qint64 MsPerSecond = 1000;
// 28 items of 2003年度本試験 at 100 seconds each.
constexpr int FullTime = 2800;

using Chosen = QList<int>;
using Flags = QList<bool>;
using Commands = QList<QByteArray>;

// Commands as the helper program takes them: "answer INDEX OPTION", "flag INDEX", "wait
// SECONDS" (ticked once a second); besides them "pause" stops the countdown.
void run(MockPaperSession &session, qint64 &nowMs, const QByteArray &command)
{
    const QList<QByteArray> words = command.split(' ');
    const int value = words.value(1).toInt();
    if (words.first() == "answer") {
        session.setPosition(value);
        session.choose(words.value(2).toInt());
    } else if (words.first() == "flag") {
        session.setPosition(value);
        session.setFlagged(!session.paper().isFlagged(value));
    } else if (words.first() == "wait") {
        for (int second = 0; second < value; ++second) {
            nowMs += MsPerSecond;
            session.tick();
        }
    } else if (words.first() == "pause") {
        session.pauseClock();
    }
}

} // namespace

class TestMockPaperSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void writesEveryChange_data();
    void writesEveryChange();
    void resumesWhereLeft();
    void endsWithJudgments_data();
    void endsWithJudgments();
    void untimedKeepsNoCountdown();
    void killedCopyLosesNothing();

private:
    std::unique_ptr<MockPaperSession> start(MockPaper::Countdown countdown);

    QuestionBank m_bank;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    qint64 m_nowMs = 0;
};

void TestMockPaperSession::initTestCase()
{
    const BankBuild build = BankLoader(compiledPapersDirectory()).build();
    QVERIFY(build.isUsable());
    m_bank = build.bank;
}

void TestMockPaperSession::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath(QStringLiteral("kivola.sqlite"));
    m_nowMs = 0;
}

std::unique_ptr<MockPaperSession> TestMockPaperSession::start(MockPaper::Countdown countdown)
{
    auto session = MockPaperSession::start(
        m_path, m_bank, 0, countdown, &QDateTime::currentDateTime, [this] { return m_nowMs; });
    if (session)
        session->resumeClock();
    return session;
}

void TestMockPaperSession::writesEveryChange_data()
{
    QTest::addColumn<Commands>("commands");
    // Of the first three items, as the record has them.
    QTest::addColumn<Chosen>("chosen");
    QTest::addColumn<Flags>("flags");
    QTest::addColumn<int>("secondsLeft");

    QTest::newRow("answer with the seconds left")
        << Commands {"wait 5", "answer 0 3"} << Chosen {3, 0, 0} << Flags {false, false, false}
        << 2795;
    QTest::newRow("answer changed") << Commands {"answer 2 3", "wait 2", "answer 2 1"}
                                    << Chosen {0, 0, 1} << Flags {false, false, false} << 2798;
    QTest::newRow("answer withdrawn") << Commands {"answer 1 2", "answer 1 0"} << Chosen {0, 0, 0}
                                      << Flags {false, false, false} << 2800;
    QTest::newRow("mark alone") << Commands {"wait 12", "flag 2"} << Chosen {0, 0, 0}
                                << Flags {false, false, true} << 2788;
    QTest::newRow("mark taken back")
        << Commands {"flag 1", "flag 1"} << Chosen {0, 0, 0} << Flags {false, false, false} << 2800;
    QTest::newRow("under half a minute not yet saved")
        << Commands {"wait 29"} << Chosen {0, 0, 0} << Flags {false, false, false} << 2800;
    QTest::newRow("saved every half minute")
        << Commands {"wait 75"} << Chosen {0, 0, 0} << Flags {false, false, false} << 2740;
    QTest::newRow("saved when paused")
        << Commands {"wait 75", "pause"} << Chosen {0, 0, 0} << Flags {false, false, false} << 2725;
    QTest::newRow("paused time not counted")
        << Commands {"pause", "wait 90", "answer 0 1"} << Chosen {1, 0, 0}
        << Flags {false, false, false} << 2800;
}

void TestMockPaperSession::writesEveryChange()
{
    QFETCH(Commands, commands);
    QFETCH(Chosen, chosen);
    QFETCH(Flags, flags);
    QFETCH(int, secondsLeft);

    auto session = start(MockPaper::Countdown::On);
    QVERIFY(session);
    for (const QByteArray &command : commands)
        run(*session, m_nowMs, command);

    // Read by another connection while the paper is still open.
    const std::optional<ItemAttempt> attempt = ItemRecord(m_path).attempt(session->attemptId());
    QVERIFY(attempt);
    QCOMPARE(attempt->timeLimitSeconds, FullTime);
    QCOMPARE(attempt->secondsLeft, secondsLeft);
    for (int index = 0; index < chosen.size(); ++index) {
        QCOMPARE(attempt->answers.at(index).chosen.value_or(0), chosen.at(index));
        QCOMPARE(attempt->answers.at(index).flagged, flags.at(index));
    }
    QVERIFY(!session->takeFirstWriteFailure());
}

void TestMockPaperSession::resumesWhereLeft()
{
    qint64 attemptId = 0;
    {
        auto session = start(MockPaper::Countdown::On);
        QVERIFY(session);
        attemptId = session->attemptId();
        for (const char *command : {"answer 0 2", "flag 3", "answer 27 4", "wait 100"})
            run(*session, m_nowMs, command);
        // Closing the window mid-paper.
    }
    const std::optional<QList<PaperUnderWay>> papers
        = MockPaperSession::resumablePapers(m_path, &QDateTime::currentDateTime);
    QVERIFY(papers);
    QCOMPARE(*papers, (QList<PaperUnderWay> {{attemptId, 0, 28, true, 2700}}));

    auto resumed = MockPaperSession::resume(
        m_path, m_bank, attemptId, &QDateTime::currentDateTime, [this] { return m_nowMs; });
    QVERIFY(resumed);
    QCOMPARE(resumed->paper().secondsLeft(), 2700);
    QCOMPARE(resumed->paper().chosen(0), 2);
    QCOMPARE(resumed->paper().chosen(27), 4);
    QVERIFY(resumed->paper().isFlagged(3));
    QCOMPARE(resumed->paper().unansweredCount(), 26);
    // The paper is this copy's now: no one else is offered it or may take it.
    QVERIFY(MockPaperSession::resumablePapers(m_path, &QDateTime::currentDateTime)->isEmpty());
    QVERIFY(!MockPaperSession::resume(
        m_path, m_bank, attemptId, &QDateTime::currentDateTime, [] { return qint64(0); }));
}

void TestMockPaperSession::endsWithJudgments_data()
{
    QTest::addColumn<bool>("finished");
    QTest::addColumn<AttemptState>("state");

    QTest::newRow("finished") << true << AttemptState::Finished;
    QTest::newRow("given up") << false << AttemptState::GivenUp;
}

void TestMockPaperSession::endsWithJudgments()
{
    QFETCH(bool, finished);
    QFETCH(AttemptState, state);

    auto session = start(MockPaper::Countdown::On);
    QVERIFY(session);
    const ExamItem first = session->paper().item(0);
    const ExamItem second = session->paper().item(1);
    run(*session, m_nowMs, "answer 0 " + QByteArray::number(first.rightOption));
    run(*session, m_nowMs, "wait 61");
    run(*session, m_nowMs, "answer 1 " + QByteArray::number(second.rightOption % 4 + 1));
    finished ? session->finish() : session->giveUp();
    QVERIFY(session->hasEnded());
    QVERIFY(!session->timeRanOut());

    const std::optional<ItemAttempt> attempt = ItemRecord(m_path).attempt(session->attemptId());
    QVERIFY(attempt);
    QCOMPARE(attempt->state, state);
    QCOMPARE(attempt->rightCount, 1);
    QCOMPARE(attempt->secondsUsed, 61);
    // The two answered items judge their statements; the 26 others nothing.
    QCOMPARE(sqliteValue(m_path,
                 QStringLiteral("SELECT group_concat(DISTINCT position) FROM "
                                "judgments"))
                 .toString(),
        QStringLiteral("1,2"));
    QVERIFY(MockPaperSession::resumablePapers(m_path, &QDateTime::currentDateTime)->isEmpty());
    // An ended paper takes nothing more.
    run(*session, m_nowMs, "answer 5 1");
    QCOMPARE(session->paper().chosen(5), 0);
}

void TestMockPaperSession::untimedKeepsNoCountdown()
{
    auto session = start(MockPaper::Countdown::Off);
    QVERIFY(session);
    run(*session, m_nowMs, "wait 100");
    run(*session, m_nowMs, "answer 0 1");
    QCOMPARE(session->paper().secondsUsed(), 100);
    const qint64 attemptId = session->attemptId();
    session.reset();
    const std::optional<QList<PaperUnderWay>> papers
        = MockPaperSession::resumablePapers(m_path, &QDateTime::currentDateTime);
    QVERIFY(papers);
    QCOMPARE(papers->size(), 1);
    QVERIFY(!papers->first().timed);
    auto resumed = MockPaperSession::resume(
        m_path, m_bank, attemptId, &QDateTime::currentDateTime, [this] { return m_nowMs; });
    QVERIFY(resumed);
    QVERIFY(!resumed->paper().isTimed());
    QCOMPARE(resumed->paper().chosen(0), 1);
}

void TestMockPaperSession::killedCopyLosesNothing()
{
#ifdef Q_OS_UNIX
    QProcess helper;
    startHelper(helper, QStringLiteral(KIVOLA_MOCK_PAPER_HELPER), {m_path});
    // The last wait saves once, at half a minute past the answer before it.
    for (const char *command : {"answer 0 1", "flag 0", "wait 40", "answer 5 3", "wait 35"}) {
        helper.write(QByteArray(command) + '\n');
        waitForLine(helper);
    }
    // Another copy's paper, held while it runs.
    QVERIFY(MockPaperSession::resumablePapers(m_path, &QDateTime::currentDateTime)->isEmpty());
    helper.kill();
    QVERIFY(helper.waitForFinished(HelperTimeoutMs));

    const std::optional<QList<PaperUnderWay>> papers
        = MockPaperSession::resumablePapers(m_path, &QDateTime::currentDateTime);
    QVERIFY(papers);
    QCOMPARE(papers->size(), 1);
    auto resumed = MockPaperSession::resume(m_path, m_bank, papers->first().attemptId,
        &QDateTime::currentDateTime, [] { return qint64(0); });
    QVERIFY(resumed);
    QCOMPARE(resumed->paper().chosen(0), 1);
    QCOMPARE(resumed->paper().chosen(5), 3);
    QVERIFY(resumed->paper().isFlagged(0));
    QCOMPARE(resumed->paper().unansweredCount(), 26);
    QCOMPARE(resumed->paper().secondsLeft(), 2730);
#else
    QSKIP("killing a helper is tested on Unix only");
#endif
}

QTEST_GUILESS_MAIN(TestMockPaperSession)
#include "tst_mockpapersession.moc"
