#include "study/itemrecord.h"
#include "study/studyrecord.h"
#include "tests/support/recordhistory.h"
#include "tests/support/sqlitefile.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace kivola;

namespace {

constexpr int HistoryTests = 10000;
constexpr quint32 HistorySeed = 20261208;
constexpr int PointsPerAnswer = 20;
const QString ChoiceKey = QStringLiteral("practiceChoice");
const QString FixtureChoice = QStringLiteral("parts=2,5;papers=0,3");
const QString HolderConnection = QStringLiteral("kivola-test-holder");

CompletedTest testOf(const char *finished, TestKind kind, const QString &answers)
{
    CompletedTest test {QDateTime::fromString(QLatin1String(finished), Qt::ISODate), kind, 0, {}};
    const QStringList words = answers.split(QLatin1Char(' '));
    for (int slot = 1; slot <= AnswersPerTest; ++slot) {
        const QString &word = words.at(slot - 1);
        const bool right = word.endsWith(QLatin1Char('+'));
        test.answers[slot - 1]
            = {slot, word.chopped(1).toInt(), right ? AnswerTrue : AnswerFalse, right};
        test.points += right ? PointsPerAnswer : 0;
    }
    return test;
}

// tests/study/record-v1.sqlite was written by the program of version 1.0.7 (commit c35b541), a
// small program of one StudyRecord recording these tests one by one in this order and then
// setting ChoiceKey to FixtureChoice. It stands for the files students have: never write it
// again with a later program.
QList<CompletedTest> fixtureTests()
{
    return {
        testOf("2025-01-10T09:00:00Z", TestKind::Ordinary, QStringLiteral("7+ 565- 1+ 12- 300+")),
        testOf("2025-01-10T09:10:00Z", TestKind::PracticeMistakes,
            QStringLiteral("565+ 12- 7+ 2+ 3-")),
        testOf("2025-01-11T20:30:00Z", TestKind::PracticeUnseen, QStringLiteral("4+ 5+ 6+ 8- 9+")),
        testOf("2025-01-12T08:00:00Z", TestKind::Ordinary, QStringLiteral("12+ 7+ 565- 300+ 100+")),
        testOf("2025-01-12T08:05:00Z", TestKind::PracticeChosen,
            QStringLiteral("11- 13- 14- 15- 16-")),
        testOf(
            "2025-01-13T07:00:00Z", TestKind::PracticeSelected, QStringLiteral("1+ 2+ 3+ 4+ 5+")),
    };
}

// Rebuilds the tests with a new column the way SQLite recommends, dropping the table the
// answers refer to on the way.
QStringList rebuildTests(const QString &kept = QString())
{
    return {
        QStringLiteral("CREATE TABLE tests_new (id INTEGER PRIMARY KEY, finished_at TEXT NOT NULL, "
                       "kind INTEGER NOT NULL, points INTEGER NOT NULL, "
                       "seconds INTEGER NOT NULL DEFAULT 0)"),
        QStringLiteral("INSERT INTO tests_new (id, finished_at, kind, points) "
                       "SELECT id, finished_at, kind, points FROM tests %1")
            .arg(kept),
        QStringLiteral("DROP TABLE tests"),
        QStringLiteral("ALTER TABLE tests_new RENAME TO tests"),
        QStringLiteral("CREATE INDEX tests_by_time ON tests (finished_at, id)"),
    };
}

// The tables of version 1, read from the fixture 1.0.7 wrote: how a history of version 1 is made.
StudySchema versionOne()
{
    StudySchema schema;
    QSqlDatabase fixture = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), HolderConnection);
    fixture.setDatabaseName(QStringLiteral(KIVOLA_STUDY_FIXTURE));
    fixture.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (fixture.open()) {
        QSqlQuery query(QStringLiteral("SELECT sql FROM sqlite_master ORDER BY rowid"), fixture);
        while (query.next())
            schema.tables.append(query.value(0).toString());
    }
    fixture = QSqlDatabase();
    QSqlDatabase::removeDatabase(HolderConnection);
    return schema;
}

// The program's tables with a column more in the tests, reached by the given step from this
// version.
StudySchema nextVersion(const QStringList &step = rebuildTests())
{
    StudySchema schema = StudySchema::current();
    for (QString &statement : schema.tables) {
        statement.replace(QLatin1String("points INTEGER NOT NULL)"),
            QLatin1String("points INTEGER NOT NULL, seconds INTEGER NOT NULL DEFAULT 0)"));
    }
    schema.upgrades.append(step);
    return schema;
}

// The columns of the table's rows, past the code under test; empty when the table is empty or
// missing, as it is before version 2 made it.
QString rowsOf(const QString &path, const QString &table, const QStringList &columns)
{
    QStringList quoted;
    for (const QString &column : columns)
        quoted.append(QStringLiteral("quote(%1)").arg(column));
    return sqliteValue(path,
        QStringLiteral("SELECT group_concat(%1, ',') FROM (SELECT * FROM %2 ORDER BY %3)")
            .arg(quoted.join(QStringLiteral(" || ' ' || ")), table, columns.join(u',')))
        .toString();
}

// Every row the program wrote, column by column.
QString rowsOf(const QString &path)
{
    auto columns = [](const char *names) { return QString::fromLatin1(names).split(u' '); };
    return QStringList {
        rowsOf(path, QStringLiteral("tests"), columns("id finished_at kind points")),
        rowsOf(path, QStringLiteral("answers"), columns("test_id slot bank_id given correct")),
        rowsOf(path, QStringLiteral("choices"), columns("name value")),
        rowsOf(path, QStringLiteral("item_attempts"),
            columns("id kind paper started_at finished_at state item_count time_limit "
                    "seconds_left seconds_used right_count")),
        rowsOf(path, QStringLiteral("item_answers"),
            columns("attempt_id position first_bank_id format right_option chosen flagged "
                    "answered_at")),
        rowsOf(path, QStringLiteral("judgments"),
            columns("attempt_id position bank_id given correct format judged_at")),
    }
        .join(u'\n');
}

// A drill with one item graded and a mock paper under way with one answer.
void addItemPractice(const QString &path)
{
    ItemRecord items(path);
    const std::optional<qint64> drill
        = items.start(AttemptKind::Drill, NoPaper, 0, {{1, 7, 1, 2}, {2, 300, 5, 1}});
    QVERIFY(drill);
    QVERIFY(items.recordDrillItem(
        *drill, 2, {1, {{7, AnswerFalse, true, 1}, {8, AnswerTrue, true, 1}}}, 40));
    const std::optional<qint64> paper
        = items.start(AttemptKind::MockPaper, 3, 3600, {{1, 12, 3, 4}, {2, 20, 4, 8}});
    QVERIFY(paper);
    QVERIFY(items.recordAnswer(*paper, 2, 8, true, 3500));
}

} // namespace

class TestStudyDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void openingKeepsEveryRow_data();
    void openingKeepsEveryRow();
    void failedUpgradeLeavesFile_data();
    void failedUpgradeLeavesFile();
    void answersMustReferToTheirTest_data();
    void answersMustReferToTheirTest();

private:
    void copyFixture();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestStudyDatabase::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = StudyRecord::pathIn(m_dir->path());
}

void TestStudyDatabase::copyFixture()
{
    QVERIFY(QFile::copy(QStringLiteral(KIVOLA_STUDY_FIXTURE), m_path));
    QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner));
}

void TestStudyDatabase::openingKeepsEveryRow_data()
{
    // "fixture", "history of version 1" or "history": 10,000 tests and item practice written by
    // this program.
    QTest::addColumn<QString>("written");
    // Versions past this program's the file is taken to.
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("tests");

    const int fixture = int(fixtureTests().size());
    QTest::newRow("record of 1.0.7") << "fixture" << 0 << fixture;
    QTest::newRow("record of 1.0.7, one version further") << "fixture" << 1 << fixture;
    QTest::newRow("10,000 tests of version 1") << "history of version 1" << 0 << HistoryTests;
    QTest::newRow("10,000 tests of this version") << "history" << 0 << HistoryTests;
    QTest::newRow("10,000 tests of this version, one version further")
        << "history" << 1 << HistoryTests;
}

// Read as the same tests written afresh read, whether the file is used as it is or upgraded.
void TestStudyDatabase::openingKeepsEveryRow()
{
    QFETCH(QString, written);
    QFETCH(int, steps);
    QFETCH(int, tests);

    const bool history = written != QLatin1String("fixture");
    const bool current = written == QLatin1String("history");
    const QList<CompletedTest> testsWritten = history
        ? history::randomTests(HistoryTests, HistorySeed,
            QDateTime::fromString(QStringLiteral("2025-04-01T00:00:00Z"), Qt::ISODate))
        : fixtureTests();
    auto write = [&](const QString &path, const StudySchema &schema) {
        StudyRecord writer(path, &QDateTime::currentDateTime, schema);
        QVERIFY(writer.record(testsWritten));
        QVERIFY(writer.setValue(ChoiceKey, FixtureChoice));
    };
    const QString reference = m_dir->filePath(QStringLiteral("reference.sqlite"));
    write(reference, StudySchema::current());
    if (current)
        addItemPractice(reference);
    if (current)
        QVERIFY(QFile::copy(reference, m_path));
    else if (history)
        write(m_path, versionOne());
    else
        copyFixture();
    const QString rows = rowsOf(m_path);
    const QByteArray content = fileContent(m_path);
    const int versionBefore = sqliteValue(m_path, QStringLiteral("PRAGMA user_version")).toInt();

    const StudySchema schema = steps > 0 ? nextVersion() : StudySchema::current();
    StudyRecord expected(reference);
    StudyRecord record(m_path, &QDateTime::currentDateTime, schema);
    const std::optional<QList<TestPoints>> points = record.testPoints();
    QVERIFY(points);
    QCOMPARE(points->size(), tests);
    QCOMPARE(points, expected.testPoints());
    QCOMPARE(record.statementFigures(), expected.statementFigures());
    QCOMPARE(record.value(ChoiceKey), FixtureChoice);
    QVERIFY(record.takeNotices().isEmpty());
    ItemRecord expectedItems(reference);
    ItemRecord items(m_path, &QDateTime::currentDateTime, schema);
    QCOMPARE(items.papersUnderWay(), expectedItems.papersUnderWay());
    QCOMPARE(items.attempt(1), expectedItems.attempt(1));

    QCOMPARE(rowsOf(m_path), rows);
    const int versionAfter = StudySchema::current().version() + steps;
    QCOMPARE(sqliteValue(m_path, QStringLiteral("PRAGMA user_version")).toInt(), versionAfter);
    if (versionBefore == versionAfter)
        QCOMPARE(fileContent(m_path), content);
}

void TestStudyDatabase::failedUpgradeLeavesFile_data()
{
    QTest::addColumn<QStringList>("step");
    QTest::addColumn<bool>("locked");

    QTest::newRow("bad statement after a good one")
        << QStringList {QStringLiteral("CREATE TABLE notes (text TEXT)"),
               QStringLiteral("ALTER TABLE nowhere ADD COLUMN seconds INTEGER")}
        << false;
    QTest::newRow("answers left without their test")
        << rebuildTests(QStringLiteral("WHERE id > 1")) << false;
    QTest::newRow("tables unlike a new record's")
        << QStringList {QStringLiteral("CREATE INDEX tests_by_points ON tests (points)")} << false;
    QTest::newRow("another connection reading") << rebuildTests() << true;
}

// Not a byte changed and nothing moved aside: the record is not used, and a later opening or
// program with a working step still finds everything.
void TestStudyDatabase::failedUpgradeLeavesFile()
{
    QFETCH(QStringList, step);
    QFETCH(bool, locked);

    copyFixture();
    const QString rows = rowsOf(m_path);
    const QByteArray content = fileContent(m_path);
    {
        QSqlDatabase holder
            = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), HolderConnection);
        holder.setDatabaseName(m_path);
        QVERIFY(holder.open());
        QSqlQuery reading(holder);
        if (locked) {
            QVERIFY(reading.exec(QStringLiteral("BEGIN")));
            QVERIFY(reading.exec(QStringLiteral("SELECT count(*) FROM tests")));
            QVERIFY(reading.next());
        }

        StudyRecord record(m_path, &QDateTime::currentDateTime, nextVersion(step));
        QVERIFY(!record.statementFigures());
        QVERIFY(!record.record(fixtureTests().constFirst()));
        QVERIFY(record.takeNotices().isEmpty());
        QCOMPARE(fileContent(m_path), content);
        QCOMPARE(entriesOf(m_dir->path()), QStringList {QStringLiteral("kivola.sqlite")});
    }
    QSqlDatabase::removeDatabase(HolderConnection);

    StudyRecord later(m_path, &QDateTime::currentDateTime, nextVersion());
    QCOMPARE(later.testPoints()->size(), fixtureTests().size());
    QCOMPARE(rowsOf(m_path), rows);
}

void TestStudyDatabase::answersMustReferToTheirTest_data()
{
    QTest::addColumn<QString>("record");

    QTest::newRow("new record") << "new";
    QTest::newRow("record of 1.0.7") << "fixture";
    QTest::newRow("record of 1.0.7, upgraded") << "upgraded";
}

void TestStudyDatabase::answersMustReferToTheirTest()
{
    QFETCH(QString, record);

    if (record != QLatin1String("new"))
        copyFixture();
    StudyDatabase database(m_path, &QDateTime::currentDateTime,
        record == QLatin1String("upgraded") ? nextVersion() : StudySchema::current());
    QCOMPARE(database.open(StudyDatabase::Access::Write), StudyDatabase::State::Current);
    QSqlQuery query(database.connection());
    QVERIFY(!query.exec(QStringLiteral("INSERT INTO answers VALUES (999, 1, 7, 1, 1)")));
    // SQLITE_CONSTRAINT_FOREIGNKEY.
    QCOMPARE(query.lastError().nativeErrorCode(), QStringLiteral("787"));
}

QTEST_GUILESS_MAIN(TestStudyDatabase)
#include "tst_studydatabase.moc"
