#include "study/itemrecord.h"
#include "study/studyrecord.h"
#include "tests/support/sqlitefile.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

namespace {

const QDateTime Finished(QDate(2026, 12, 8), QTime(1, 2, 3), Qt::UTC);
const QByteArray Journal("\0journal", 8);
const QString BrokenName = QStringLiteral("kivola.sqlite.broken-20261208-101500");

QDateTime fixedClock()
{
    return QDateTime(QDate(2026, 12, 8), QTime(10, 15, 0));
}

QDateTime judgedAt = Finished;

QDateTime judgmentClock()
{
    return judgedAt;
}

// A drill of one single-statement item on each statement given, answered at the time given.
void judge(const QString &path, const QDateTime &at, const QList<Judgment> &judgments)
{
    judgedAt = at;
    ItemRecord items(path, &judgmentClock);
    const std::optional<qint64> drill = items.start(AttemptKind::Drill, NoPaper, 0,
        {{1, judgments.constFirst().bankId, judgments.constFirst().format, 1}});
    QVERIFY(drill);
    QVERIFY(items.recordDrillItem(*drill, 1, {1, judgments}, 10));
}

// A test from five answers written "12+" (statement 12, right) or "12-" (wrong).
CompletedTest testOf(const QString &answers, const QDateTime &finished = Finished,
    TestKind kind = TestKind::Ordinary)
{
    CompletedTest test {finished, kind, 0, {}};
    const QStringList words = answers.split(QLatin1Char(' '));
    for (int slot = 1; slot <= AnswersPerTest; ++slot) {
        const QString &word = words.at(slot - 1);
        const bool right = word.endsWith(QLatin1Char('+'));
        test.answers[slot - 1]
            = {slot, word.chopped(1).toInt(), right ? AnswerTrue : AnswerFalse, right};
        test.points += right ? 20 : 0;
    }
    return test;
}

} // namespace

class TestStudyRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void missingRecordReadsEmpty();
    void recordsOneRowPerAnswer();
    void statementFigures_data();
    void statementFigures();
    void figuresCountJudgments_data();
    void figuresCountJudgments();
    void statementHistory();
    void testPoints_data();
    void testPoints();
    void remembersChoices();
    void newerVersionIsOnlyRead();
    void unusableFileIsMovedAside_data();
    void unusableFileIsMovedAside();
    void folderInsteadOfFileFails();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestStudyRecord::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = StudyRecord::pathIn(m_dir->path());
}

void TestStudyRecord::missingRecordReadsEmpty()
{
    StudyRecord record(m_path);
    QCOMPARE(record.statementFigures(), emptyStatementTable());
    QCOMPARE(record.testPoints(), QList<TestPoints>());
    QVERIFY(record.value(QStringLiteral("parts")).isNull());
    QVERIFY(entriesOf(m_dir->path()).isEmpty());
}

void TestStudyRecord::recordsOneRowPerAnswer()
{
    StudyRecord record(m_path);
    QVERIFY(record.record(testOf(QStringLiteral("7+ 565- 1+ 7- 300+"))));
    QCOMPARE(sqliteValue(m_path, QStringLiteral("PRAGMA user_version")).toInt(),
        StudySchema::current().version());
    QCOMPARE(sqliteValue(m_path,
                 QStringLiteral("SELECT finished_at || ' ' || kind || ' ' || points FROM tests")),
        QStringLiteral("2026-12-08T01:02:03Z 0 60"));
    QCOMPARE(sqliteValue(m_path,
                 QStringLiteral("SELECT group_concat(slot || ':' || bank_id || ':' || given || ':' "
                                "|| correct, ' ') FROM (SELECT * FROM answers ORDER BY slot)")),
        QStringLiteral("1:7:1:1 2:565:2:0 3:1:1:1 4:7:2:0 5:300:1:1"));
    // The journal is gone once the transaction is committed.
    QCOMPARE(entriesOf(m_dir->path()), QStringList {QStringLiteral("kivola.sqlite")});
    QVERIFY(record.takeNotices().isEmpty());
}

void TestStudyRecord::statementFigures_data()
{
    QTest::addColumn<QStringList>("tests");
    QTest::addColumn<int>("answered");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<LatestResult>("latest");
    QTest::addColumn<bool>("mastered");

    // The figures of statement 7; the other answers fill the tests.
    const QString rest = QStringLiteral(" 1+ 2- 3+ 4+");
    QTest::newRow("never answered")
        << QStringList {QStringLiteral("8+") + rest} << 0 << 0 << LatestResult::Unseen << false;
    QTest::newRow("right once") << QStringList {QStringLiteral("7+") + rest} << 1 << 0
                                << LatestResult::Right << false;
    QTest::newRow("right twice") << QStringList {QStringLiteral("7+") + rest,
        QStringLiteral("7+") + rest}
                                 << 2 << 0 << LatestResult::Right << true;
    QTest::newRow("wrong, then right")
        << QStringList {QStringLiteral("7-") + rest, QStringLiteral("7+") + rest} << 2 << 1
        << LatestResult::Right << false;
    QTest::newRow("right twice, then wrong") << QStringList {QStringLiteral("7+") + rest,
        QStringLiteral("7+") + rest, QStringLiteral("7-") + rest}
                                             << 3 << 1 << LatestResult::Wrong << false;
    QTest::newRow("later slot of one test is later")
        << QStringList {QStringLiteral("7- 1+ 7+ 2+ 3+"), QStringLiteral("5+ 7+ 1+ 7- 2+")} << 4
        << 2 << LatestResult::Wrong << false;
}

void TestStudyRecord::statementFigures()
{
    QFETCH(QStringList, tests);
    QFETCH(int, answered);
    QFETCH(int, wrong);
    QFETCH(LatestResult, latest);
    QFETCH(bool, mastered);

    StudyRecord record(m_path);
    for (const QString &test : tests)
        QVERIFY(record.record(testOf(test)));
    const std::optional<StatementTable> table = record.statementFigures();
    QVERIFY(table);
    QCOMPARE(table->at(7), (StatementFigures {answered, wrong, latest, mastered}));
}

void TestStudyRecord::figuresCountJudgments_data()
{
    // Answers to statement 7 in the order they are recorded: "T" in a test, "J" judged from an
    // item, "R" in the daily review, each with its minute and + or -.
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("answered");
    QTest::addColumn<int>("wrong");
    QTest::addColumn<LatestResult>("latest");
    QTest::addColumn<bool>("mastered");

    auto answers = [](const char *list) { return QString::fromLatin1(list).split(u' '); };
    QTest::newRow("judgments only") << answers("J0+ J1+") << 2 << 0 << LatestResult::Right << true;
    QTest::newRow("judgment after a test")
        << answers("T0+ J1-") << 2 << 1 << LatestResult::Wrong << false;
    QTest::newRow("test after a judgment")
        << answers("J0- T1+") << 2 << 1 << LatestResult::Right << false;
    QTest::newRow("mastered across both")
        << answers("T0- T1+ J2+") << 3 << 1 << LatestResult::Right << true;
    QTest::newRow("judged earlier, recorded later")
        << answers("T5- J1+ J2+") << 3 << 1 << LatestResult::Wrong << false;
    QTest::newRow("tests latest, judgments before")
        << answers("J0+ J1+ T2- T3+") << 4 << 1 << LatestResult::Right << false;
    QTest::newRow("same minute: the judgment is later")
        << answers("T1+ J1-") << 2 << 1 << LatestResult::Wrong << false;
    QTest::newRow("same minute, judgment recorded first")
        << answers("J1- T1+") << 2 << 1 << LatestResult::Wrong << false;
    QTest::newRow("review latest")
        << answers("T0- J1+ R2+") << 3 << 1 << LatestResult::Right << true;
    QTest::newRow("review before both")
        << answers("R0- T1+ J2-") << 3 << 2 << LatestResult::Wrong << false;
    QTest::newRow("same minute: the review is later")
        << answers("R1+ J1- T1-") << 3 << 2 << LatestResult::Right << false;
}

void TestStudyRecord::figuresCountJudgments()
{
    QFETCH(QStringList, answers);
    QFETCH(int, answered);
    QFETCH(int, wrong);
    QFETCH(LatestResult, latest);
    QFETCH(bool, mastered);

    StudyRecord record(m_path);
    for (const QString &answer : answers) {
        const QDateTime at = Finished.addSecs(60 * answer.mid(1).chopped(1).toInt());
        const bool right = answer.endsWith(u'+');
        if (answer.startsWith(u'T')) {
            QVERIFY(record.record(testOf(
                right ? QStringLiteral("7+ 1+ 2+ 3+ 4+") : QStringLiteral("7- 1+ 2+ 3+ 4+"), at)));
        } else if (answer.startsWith(u'R')) {
            QVERIFY(record.recordReview(
                {7, at, right ? ReviewGiven::True : ReviewGiven::DontKnow, right}));
        } else {
            judge(m_path, at, {{7, AnswerTrue, right, 5}});
        }
    }
    const std::optional<StatementTable> table = record.statementFigures();
    QVERIFY(table);
    QCOMPARE(table->at(7), (StatementFigures {answered, wrong, latest, mastered}));
}

// In time order whatever the order of recording: at the same second test answers first, then
// judgments, then the daily review's answers.
void TestStudyRecord::statementHistory()
{
    StudyRecord record(m_path);
    QVERIFY(record.recordReview({9, Finished.addSecs(60), ReviewGiven::DontKnow, false}));
    QVERIFY(record.record(testOf(QStringLiteral("7+ 1- 2+ 3+ 4+"), Finished.addSecs(120))));
    judge(m_path, Finished.addSecs(60), {{7, AnswerTrue, false, 3}, {8, AnswerFalse, true, 3}});
    QVERIFY(record.record(testOf(QStringLiteral("5+ 6+ 9+ 10+ 11-"), Finished.addSecs(60))));

    const std::optional<QList<StatementEvent>> history = record.statementHistory();
    QVERIFY(history);
    QList<int> ids;
    for (const StatementEvent &event : *history)
        ids.append(event.bankId);
    QCOMPARE(ids, QList<int>({5, 6, 9, 10, 11, 7, 8, 9, 7, 1, 2, 3, 4}));
    using Source = StatementEvent::Source;
    QCOMPARE(history->at(4),
        (StatementEvent {11, Finished.addSecs(60), false, AnswerFalse, Source::TestAnswer, 0}));
    QCOMPARE(history->at(5),
        (StatementEvent {7, Finished.addSecs(60), false, AnswerTrue, Source::Judgment, 3}));
    QCOMPARE(
        history->at(7), (StatementEvent {9, Finished.addSecs(60), false, 0, Source::Review, 0}));
    QCOMPARE(history->at(8),
        (StatementEvent {7, Finished.addSecs(120), true, AnswerTrue, Source::TestAnswer, 0}));
    // "わからない" is never right.
    QVERIFY(!record.recordReview({9, Finished, ReviewGiven::DontKnow, true}));
    QCOMPARE(StudyRecord(m_dir->filePath(QStringLiteral("none.sqlite"))).statementHistory(),
        QList<StatementEvent>());
}

void TestStudyRecord::testPoints_data()
{
    QTest::addColumn<int>("latestCount");
    QTest::addColumn<QList<int>>("points");

    // Recorded 40, 100, 0, 60 but finished 40, 0, 60, 100: by the time they finished.
    QTest::newRow("all") << int(StudyRecord::AllTests) << QList<int>({40, 0, 60, 100});
    QTest::newRow("latest two") << 2 << QList<int>({60, 100});
    QTest::newRow("none") << 0 << QList<int>();
}

void TestStudyRecord::testPoints()
{
    QFETCH(int, latestCount);
    QFETCH(QList<int>, points);

    StudyRecord record(m_path);
    const QList<std::pair<QString, int>> tests {{QStringLiteral("1+ 2+ 3- 4- 5-"), 0},
        {QStringLiteral("1+ 2+ 3+ 4+ 5+"), 30}, {QStringLiteral("1- 2- 3- 4- 5-"), 10},
        {QStringLiteral("1+ 2+ 3+ 4- 5-"), 20}};
    for (const auto &[answers, minutes] : tests) {
        QVERIFY(
            record.record(testOf(answers, Finished.addSecs(60 * minutes), TestKind(minutes / 10))));
    }
    const std::optional<QList<TestPoints>> read = record.testPoints(latestCount);
    QVERIFY(read);
    QList<int> readPoints;
    for (const TestPoints &test : *read) {
        readPoints.append(test.points);
        QCOMPARE(test.finishedUtc.timeSpec(), Qt::UTC);
        QCOMPARE(int(test.kind), int(Finished.secsTo(test.finishedUtc) / 600));
    }
    QCOMPARE(readPoints, points);
}

void TestStudyRecord::remembersChoices()
{
    const QString parts = QStringLiteral("parts");
    StudyRecord record(m_path);
    QVERIFY(record.setValue(parts, QStringLiteral("1,3")));
    QVERIFY(record.setValue(parts, QStringLiteral("第2問")));
    QVERIFY(record.setValue(QStringLiteral("papers"), QString()));
    QCOMPARE(StudyRecord(m_path).value(parts), QStringLiteral("第2問"));
    QVERIFY(!StudyRecord(m_path).value(QStringLiteral("papers")).isNull());
    QVERIFY(StudyRecord(m_path).value(QStringLiteral("other")).isNull());
}

void TestStudyRecord::newerVersionIsOnlyRead()
{
    QVERIFY(StudyRecord(m_path).record(testOf(QStringLiteral("7+ 1+ 2+ 3+ 4+"))));
    sqliteRun(m_path,
        {QStringLiteral("PRAGMA user_version = %1").arg(StudySchema::current().version() + 1)});
    const QByteArray before = fileContent(m_path);

    StudyRecord record(m_path);
    QVERIFY(!record.record(testOf(QStringLiteral("7+ 1+ 2+ 3+ 4+"))));
    QVERIFY(!record.setValue(QStringLiteral("parts"), QStringLiteral("1")));
    QCOMPARE(record.statementFigures()->at(7).answered, 1);
    QCOMPARE(fileContent(m_path), before);
    QVERIFY(record.takeNotices().isEmpty());
}

void TestStudyRecord::unusableFileIsMovedAside_data()
{
    QTest::addColumn<QString>("damage");
    // -1 when the file is used as it is.
    QTest::addColumn<int>("reason");
    QTest::addColumn<QString>("movedTo");

    const int notADatabase = int(StudyNotice::Reason::NotADatabase);
    const int damaged = int(StudyNotice::Reason::Damaged);
    const int foreign = int(StudyNotice::Reason::ForeignContent);
    QTest::newRow("empty file") << "empty" << -1 << QString();
    QTest::newRow("text") << "text" << notADatabase << BrokenName;
    QTest::newRow("garbage with a journal") << "garbage" << notADatabase << BrokenName;
    QTest::newRow("truncated") << "truncated" << damaged << BrokenName;
    QTest::newRow("page overwritten") << "overwritten" << damaged << BrokenName;
    QTest::newRow("another program's database") << "foreign" << foreign << BrokenName;
    QTest::newRow("ours without its tables") << "no tables" << foreign << BrokenName;
    QTest::newRow("broken name taken")
        << "taken" << notADatabase << BrokenName + QStringLiteral("-2");
}

void TestStudyRecord::unusableFileIsMovedAside()
{
    QFETCH(QString, damage);
    QFETCH(int, reason);
    QFETCH(QString, movedTo);

    if (damage == QLatin1String("truncated") || damage == QLatin1String("overwritten")) {
        // Enough tests for a file of several pages.
        StudyRecord writer(m_path);
        for (int n = 0; n < 40; ++n)
            QVERIFY(writer.record(testOf(QStringLiteral("7+ 1+ 2+ 3+ 4+"))));
    }
    QByteArray content = fileContent(m_path);
    if (damage == QLatin1String("text"))
        content = "[MAIN]\nNO= 3\n";
    if (damage == QLatin1String("garbage") || damage == QLatin1String("taken")) {
        content = QByteArray(4096, '\x5A');
        // Starting with a zero byte, so that SQLite leaves it alone as no journal to play back.
        writeFile(m_path + QStringLiteral("-journal"), Journal);
    }
    if (damage == QLatin1String("truncated"))
        content.truncate(content.size() / 2);
    if (damage == QLatin1String("overwritten"))
        content.replace(content.size() / 2, 4096, QByteArray(4096, '\xFF'));
    if (damage == QLatin1String("taken"))
        writeFile(m_dir->filePath(BrokenName), "older");
    writeFile(m_path, content);
    if (damage == QLatin1String("foreign"))
        sqliteRun(m_path, {QStringLiteral("CREATE TABLE notes (text TEXT)")});
    if (damage == QLatin1String("no tables")) {
        sqliteRun(m_path,
            {QStringLiteral("PRAGMA application_id = %1").arg(StudyDatabase::ApplicationId),
                QStringLiteral("PRAGMA user_version = %1").arg(StudySchema::current().version()),
                QStringLiteral("CREATE TABLE tests (id INTEGER PRIMARY KEY)")});
    }
    content = fileContent(m_path);

    StudyRecord record(m_path, &fixedClock);
    QVERIFY(record.record(testOf(QStringLiteral("9+ 1+ 2+ 3+ 4+"))));
    QCOMPARE(record.statementFigures()->at(9).answered, 1);
    QCOMPARE(seenCount(*record.statementFigures()), 5);
    const QString movedPath = m_dir->filePath(movedTo);
    if (reason < 0) {
        QVERIFY(record.takeNotices().isEmpty());
        return;
    }
    QCOMPARE(record.takeNotices(), QList<StudyNotice>({{StudyNotice::Reason(reason), movedPath}}));
    QVERIFY(record.takeNotices().isEmpty());
    QCOMPARE(fileContent(movedPath), content);
    if (damage == QLatin1String("garbage"))
        QCOMPARE(fileContent(movedPath + QStringLiteral("-journal")), Journal);
    if (damage == QLatin1String("taken"))
        QCOMPARE(fileContent(m_dir->filePath(BrokenName)), QByteArray("older"));
}

void TestStudyRecord::folderInsteadOfFileFails()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("kivola.sqlite")));
    StudyRecord record(m_path);
    QVERIFY(!record.record(testOf(QStringLiteral("7+ 1+ 2+ 3+ 4+"))));
    QVERIFY(!record.statementFigures());
    QVERIFY(QFileInfo(m_path).isDir());
    QCOMPARE(entriesOf(m_dir->path()), QStringList {QStringLiteral("kivola.sqlite")});
}

QTEST_GUILESS_MAIN(TestStudyRecord)
#include "tst_studyrecord.moc"
