#include "bank/compiledpapers.h"
#include "quiz/itemjudgment.h"
#include "session/drillsession.h"
#include "study/itemrecord.h"
#include "tests/support/sqlitefile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

namespace {

QDateTime g_now;

QDateTime testClock()
{
    return g_now;
}

ExamItem firstOf(const QList<ExamItem> &items, ItemFormat format)
{
    for (const ExamItem &item : items) {
        if (item.format == format)
            return item;
    }
    return {};
}

// An option other than the right one.
int wrongOption(const ExamItem &item)
{
    return item.rightOption % item.optionCount() + 1;
}

int judgmentsKept(const QString &path, qint64 attemptId)
{
    return sqliteValue(
        path, QStringLiteral("SELECT count(*) FROM judgments WHERE attempt_id = %1").arg(attemptId))
        .toInt();
}

} // namespace

class TestDrillSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void answersGoInAsGiven();
    void roundLeftHalfwayIsGivenUp_data();
    void roundLeftHalfwayIsGivenUp();
    void unwritableRecordIsToldOnce();

private:
    QString recordPath() const { return m_dir.filePath(QStringLiteral("kivola.sqlite")); }

    QuestionBank m_bank;
    QList<ExamItem> m_round;
    QTemporaryDir m_dir;
};

void TestDrillSession::initTestCase()
{
    const BankBuild build = BankLoader(compiledPapersDirectory()).build();
    QVERIFY(build.isUsable());
    m_bank = build.bank;
    const QList<ExamItem> items = buildExamItems(m_bank);
    m_round = {firstOf(items, ItemFormat::ChooseFalse), firstOf(items, ItemFormat::Pair),
        firstOf(items, ItemFormat::Single)};
    for (const ExamItem &item : std::as_const(m_round))
        QVERIFY(!item.bankIds.isEmpty());
}

void TestDrillSession::init()
{
    QVERIFY(m_dir.isValid());
    QFile::remove(recordPath());
    g_now = QDateTime(QDate(2026, 4, 1), QTime(9, 0), Qt::UTC);
}

void TestDrillSession::answersGoInAsGiven()
{
    DrillSession session(recordPath(), m_bank, &testClock);
    session.beginRound(m_round);
    QVERIFY(!session.attemptId());
    g_now = g_now.addSecs(40);
    QVERIFY(session.answer(1, wrongOption(m_round.at(1))));
    const std::optional<qint64> id = session.attemptId();
    QVERIFY(id);
    g_now = g_now.addSecs(30);
    QVERIFY(session.answer(0, m_round.at(0).rightOption));

    ItemRecord record(recordPath());
    std::optional<ItemAttempt> attempt = record.attempt(*id);
    QVERIFY(attempt);
    QCOMPARE(attempt->kind, AttemptKind::Drill);
    QCOMPARE(attempt->state, AttemptState::UnderWay);
    QCOMPARE(attempt->itemCount, 3);
    QCOMPARE(attempt->rightCount, 1);
    QCOMPARE(attempt->secondsUsed, 70);
    QCOMPARE(attempt->answers.at(0).item,
        (AttemptItem {1, m_round.at(0).firstBankId(), int(ItemFormat::ChooseFalse),
            m_round.at(0).rightOption}));
    QCOMPARE(attempt->answers.at(0).chosen, m_round.at(0).rightOption);
    QCOMPARE(attempt->answers.at(1).chosen, wrongOption(m_round.at(1)));
    QCOMPARE(attempt->answers.at(2).chosen, std::nullopt);
    const qsizetype judgedBefore
        = judgmentsOf(m_round.at(0), m_bank, m_round.at(0).rightOption).size()
        + judgmentsOf(m_round.at(1), m_bank, wrongOption(m_round.at(1))).size();
    QCOMPARE(judgmentsKept(recordPath(), *id), judgedBefore);

    // The last answer ends the round; the next round is an attempt of its own.
    QVERIFY(session.answer(2, m_round.at(2).rightOption));
    QVERIFY(!session.attemptId());
    attempt = record.attempt(*id);
    QCOMPARE(attempt->state, AttemptState::Finished);
    QCOMPARE(attempt->rightCount, 2);
    QCOMPARE(judgmentsKept(recordPath(), *id), judgedBefore + 1);
    session.beginRound(m_round.mid(0, 1));
    QVERIFY(session.answer(0, 1));
    QCOMPARE_NE(session.attemptId(), id);
    QVERIFY(!session.takeFirstFailure());
}

void TestDrillSession::roundLeftHalfwayIsGivenUp_data()
{
    QTest::addColumn<bool>("answerOne");
    QTest::addColumn<bool>("byNextRound");
    QTest::newRow("window closed") << true << false;
    QTest::newRow("next round") << true << true;
    QTest::newRow("nothing answered") << false << false;
}

void TestDrillSession::roundLeftHalfwayIsGivenUp()
{
    QFETCH(bool, answerOne);
    QFETCH(bool, byNextRound);
    std::optional<qint64> id;
    {
        DrillSession session(recordPath(), m_bank, &testClock);
        session.beginRound(m_round);
        if (answerOne)
            QVERIFY(session.answer(2, m_round.at(2).rightOption));
        id = session.attemptId();
        if (byNextRound)
            session.beginRound(m_round);
    }
    ItemRecord record(recordPath());
    if (!answerOne) {
        QVERIFY(!id);
        QVERIFY(record.papersTaken());
        QCOMPARE(
            sqliteValue(recordPath(), QStringLiteral("SELECT count(*) FROM item_attempts")).toInt(),
            0);
        return;
    }
    const std::optional<ItemAttempt> attempt = record.attempt(*id);
    QVERIFY(attempt);
    QCOMPARE(attempt->state, AttemptState::GivenUp);
    QCOMPARE(attempt->rightCount, 1);
}

void TestDrillSession::unwritableRecordIsToldOnce()
{
    QVERIFY(QDir().mkpath(recordPath()));
    DrillSession session(recordPath(), m_bank, &testClock);
    session.beginRound(m_round);
    QVERIFY(!session.takeFirstFailure());
    QVERIFY(!session.answer(0, 1));
    QVERIFY(session.takeFirstFailure());
    QVERIFY(!session.answer(1, 1));
    QVERIFY(!session.takeFirstFailure());
    QVERIFY(QDir(recordPath()).removeRecursively());
}

QTEST_GUILESS_MAIN(TestDrillSession)
#include "tst_drillsession.moc"
