#include "study/itemrecord.h"
#include "study/studyfigures.h"
#include "study/studyrecord.h"
#include "tests/support/sqlitefile.h"
#include "tests/support/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

namespace {

const QDateTime Start(QDate(2026, 12, 8), QTime(9, 0), Qt::UTC);
QDateTime now = Start;

QDateTime testClock()
{
    return now;
}

// A whole paper is long; three items stand for it.
const QList<AttemptItem> PaperItems {{1, 12, 1, 3}, {2, 16, 4, 8}, {3, 20, 5, 2}};
const QList<AttemptItem> DrillItems {{1, 100, 2, 4}, {2, 7, 3, 1}};
const JudgedItem DrillFirst {1, {{100, AnswerTrue, true, 2}, {101, AnswerFalse, false, 2}}};
constexpr int PaperIndex = 2;
constexpr int Hour = 3600;

int rowsIn(const QString &path, const char *table)
{
    return sqliteValue(path, QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table)))
        .toInt();
}

} // namespace

class TestItemRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void missingRecordReadsEmpty();
    void drillRoundTrip();
    void paperRoundTrip();
    void failedWriteLeavesNothing_data();
    void failedWriteLeavesNothing();
    void papersTaken();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestItemRecord::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = StudyRecord::pathIn(m_dir->path());
    now = Start;
}

void TestItemRecord::missingRecordReadsEmpty()
{
    ItemRecord record(m_path, &testClock);
    QCOMPARE(record.papersUnderWay(), QList<ItemAttempt>());
    QCOMPARE(record.papersTaken(), QList<PaperResult>());
    QVERIFY(!record.attempt(1));
    QVERIFY(entriesOf(m_dir->path()).isEmpty());
}

void TestItemRecord::drillRoundTrip()
{
    ItemRecord record(m_path, &testClock);
    const std::optional<qint64> id = record.start(AttemptKind::Drill, NoPaper, 0, DrillItems);
    QVERIFY(id);
    now = Start.addSecs(30);
    QVERIFY(record.recordDrillItem(*id, 4, DrillFirst, 30));
    QVERIFY(record.recordDrillItem(*id, 2, {2, {{7, AnswerTrue, false, 3}}}, 55));

    ItemAttempt expected {
        *id, AttemptKind::Drill, NoPaper, Start, {}, AttemptState::UnderWay, 2, 0, 0, 55, 1, {}};
    expected.answers = {
        {DrillItems[0], 4, false, Start.addSecs(30)}, {DrillItems[1], 2, false, Start.addSecs(30)}};
    QCOMPARE(record.attempt(*id), expected);
    // A drill is no paper to resume.
    QCOMPARE(record.papersUnderWay(), QList<ItemAttempt>());

    now = Start.addSecs(60);
    QVERIFY(record.end(*id, AttemptState::Finished, 60, 1, {}));
    QCOMPARE(record.attempt(*id)->state, AttemptState::Finished);
    QCOMPARE(record.attempt(*id)->finishedUtc, Start.addSecs(60));
    QCOMPARE(rowsIn(m_path, "judgments"), 3);
    QCOMPARE(record.papersTaken(), QList<PaperResult>());
}

// Answers change until the paper ends, and the end brings the judgments of what was answered.
void TestItemRecord::paperRoundTrip()
{
    ItemRecord record(m_path, &testClock);
    const std::optional<qint64> id
        = record.start(AttemptKind::MockPaper, PaperIndex, Hour, PaperItems);
    QVERIFY(id);
    now = Start.addSecs(100);
    QVERIFY(record.recordAnswer(*id, 1, 2, false, Hour - 100));
    QVERIFY(record.recordAnswer(*id, 3, std::nullopt, true, Hour - 150));
    now = Start.addSecs(200);
    QVERIFY(record.recordAnswer(*id, 1, 3, false, Hour - 200));
    QVERIFY(record.saveSecondsLeft(*id, Hour - 230));

    ItemAttempt expected {*id, AttemptKind::MockPaper, PaperIndex, Start, {},
        AttemptState::UnderWay, 3, Hour, Hour - 230, 0, 0, {}};
    expected.answers = {{PaperItems[0], 3, false, Start.addSecs(200)}, {PaperItems[1], {}, false},
        {PaperItems[2], {}, true, Start.addSecs(100)}};
    QCOMPARE(record.attempt(*id), expected);
    expected.answers.clear();
    QCOMPARE(record.papersUnderWay(), QList<ItemAttempt> {expected});
    QCOMPARE(record.resumablePapers(), QList<ItemAttempt> {expected});

    now = Start.addSecs(300);
    const JudgedItem first {1, {{12, AnswerTrue, true, 1}, {13, AnswerFalse, true, 1}}};
    QVERIFY(record.end(*id, AttemptState::Finished, 300, 1, {first}));
    QCOMPARE(record.papersUnderWay(), QList<ItemAttempt>());
    QCOMPARE(record.papersTaken(),
        QList<PaperResult>({{*id, PaperIndex, Start.addSecs(300), 1, 3, 33, 300}}));
    // Ended: no more answers, no second end.
    QVERIFY(!record.recordAnswer(*id, 2, 1, false, 0));
    QVERIFY(!record.saveSecondsLeft(*id, 0));
    QVERIFY(!record.end(*id, AttemptState::GivenUp, 300, 0, {}));
    QCOMPARE(rowsIn(m_path, "judgments"), 2);
}

void TestItemRecord::failedWriteLeavesNothing_data()
{
    QTest::addColumn<QString>("write");

    QTest::newRow("start: positions not 1..N") << "start gap";
    QTest::newRow("start: option beyond the format's") << "start option";
    QTest::newRow("start: paper for a drill") << "start drill paper";
    QTest::newRow("start: mock paper without a paper") << "start no paper";
    QTest::newRow("drill item: bad statement in the judgments") << "drill judgment";
    QTest::newRow("drill item: no such position") << "drill position";
    QTest::newRow("answer: option beyond the format's") << "answer option";
    QTest::newRow("answer: no such attempt") << "answer attempt";
    QTest::newRow("end: judgment of no item") << "end judgment";
    QTest::newRow("end: under way is no end") << "end under way";
}

// Each write is all or nothing: the rows before it, byte for byte.
void TestItemRecord::failedWriteLeavesNothing()
{
    QFETCH(QString, write);

    ItemRecord record(m_path, &testClock);
    const std::optional<qint64> drill = record.start(AttemptKind::Drill, NoPaper, 0, DrillItems);
    const std::optional<qint64> paper
        = record.start(AttemptKind::MockPaper, PaperIndex, Hour, PaperItems);
    QVERIFY(drill && paper);
    QVERIFY(record.recordAnswer(*paper, 1, 2, false, Hour - 10));
    const QByteArray before = fileContent(m_path);

    now = Start.addSecs(60);
    bool written = true;
    if (write == QLatin1String("start gap"))
        written = record.start(AttemptKind::Drill, NoPaper, 0, {{1, 5, 1, 1}, {3, 6, 1, 1}})
                      .has_value();
    if (write == QLatin1String("start option"))
        written = record.start(AttemptKind::Drill, NoPaper, 0, {{1, 5, 1, 1}, {2, 6, 5, 3}})
                      .has_value();
    if (write == QLatin1String("start drill paper"))
        written = record.start(AttemptKind::Drill, PaperIndex, 0, DrillItems).has_value();
    if (write == QLatin1String("start no paper"))
        written = record.start(AttemptKind::MockPaper, NoPaper, 0, PaperItems).has_value();
    if (write == QLatin1String("drill judgment")) {
        written = record.recordDrillItem(
            *drill, 4, {1, {{100, AnswerTrue, true, 2}, {566, AnswerTrue, true, 2}}}, 10);
    }
    if (write == QLatin1String("drill position"))
        written = record.recordDrillItem(*drill, 4, {3, {{100, AnswerTrue, true, 2}}}, 10);
    if (write == QLatin1String("answer option"))
        written = record.recordAnswer(*paper, 3, 3, false, Hour - 60);
    if (write == QLatin1String("answer attempt"))
        written = record.recordAnswer(*paper + 1, 1, 1, false, Hour - 60);
    if (write == QLatin1String("end judgment"))
        written = record.end(*paper, AttemptState::Finished, 60, 1, {{9, {{12, 1, true, 1}}}});
    if (write == QLatin1String("end under way"))
        written = record.end(*paper, AttemptState::UnderWay, 60, 1, {});
    QVERIFY(!written);
    QCOMPARE(fileContent(m_path), before);
    // And the record goes on.
    QVERIFY(record.recordDrillItem(*drill, 4, DrillFirst, 10));
    QCOMPARE(record.attempt(*drill)->rightCount, 1);
}

void TestItemRecord::papersTaken()
{
    ItemRecord record(m_path, &testClock);
    // Finished, given up, finished, under way.
    const QList<std::pair<AttemptState, int>> papers {{AttemptState::Finished, 2},
        {AttemptState::GivenUp, 0}, {AttemptState::Finished, 3}, {AttemptState::UnderWay, 1}};
    QList<qint64> ids;
    for (const auto &[state, right] : papers) {
        now = now.addSecs(Hour);
        const std::optional<qint64> id
            = record.start(AttemptKind::MockPaper, PaperIndex, 0, PaperItems);
        QVERIFY(id);
        ids.append(*id);
        if (state != AttemptState::UnderWay)
            QVERIFY(record.end(*id, state, 100, right, {}));
    }
    const QList<PaperResult> expected {
        {ids[0], PaperIndex, Start.addSecs(Hour), 2, 3, 67, 100},
        {ids[2], PaperIndex, Start.addSecs(3 * Hour), 3, 3, 100, 100},
    };
    QCOMPARE(record.papersTaken(), expected);
    QCOMPARE(record.papersUnderWay()->size(), 1);
    QCOMPARE(record.papersUnderWay()->constFirst().id, ids[3]);
}

QTEST_GUILESS_MAIN(TestItemRecord)
#include "tst_itemrecord.moc"
