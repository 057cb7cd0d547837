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

// The program's tables with a column more in the tests, reached by the given step.
StudySchema versionTwo(const QStringList &step = rebuildTests())
{
    StudySchema schema = StudySchema::current();
    for (QString &statement : schema.tables) {
        statement.replace(QLatin1String("points INTEGER NOT NULL)"),
            QLatin1String("points INTEGER NOT NULL, seconds INTEGER NOT NULL DEFAULT 0)"));
    }
    schema.upgrades.append(step);
    return schema;
}

// Every row the program wrote, column by column, past the code under test.
QString rowsOf(const QString &path)
{
    const QString tests = sqliteValue(path,
        QStringLiteral("SELECT group_concat(id || ' ' || finished_at || ' ' || kind || ' ' || "
                       "points, ',') FROM (SELECT * FROM tests ORDER BY id)"))
                              .toString();
    const QString answers = sqliteValue(path,
        QStringLiteral("SELECT group_concat(test_id || ' ' || slot || ' ' || bank_id || ' ' || "
                       "given || ' ' || correct, ',') FROM (SELECT * FROM answers "
                       "ORDER BY test_id, slot)"))
                                .toString();
    const QString choices = sqliteValue(path,
        QStringLiteral("SELECT group_concat(name || '=' || value, ',') FROM "
                       "(SELECT * FROM choices ORDER BY name)"))
                                .toString();
    return tests + QLatin1Char('\n') + answers + QLatin1Char('\n') + choices;
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
    QTest::addColumn<bool>("history");
    QTest::addColumn<bool>("upgraded");
    QTest::addColumn<int>("tests");

    QTest::newRow("record of 1.0.7") << false << false << int(fixtureTests().size());
    QTest::newRow("record of 1.0.7, upgraded") << false << true << int(fixtureTests().size());
    QTest::newRow("10,000 tests, upgraded") << true << true << HistoryTests;
}

// Read as the same tests written afresh read, whether the file is used as it is or upgraded.
void TestStudyDatabase::openingKeepsEveryRow()
{
    QFETCH(bool, history);
    QFETCH(bool, upgraded);
    QFETCH(int, tests);

    const QString reference = m_dir->filePath(QStringLiteral("reference.sqlite"));
    {
        StudyRecord writer(reference);
        const QList<CompletedTest> written = history
            ? history::randomTests(HistoryTests, HistorySeed,
                QDateTime::fromString(QStringLiteral("2025-04-01T00:00:00Z"), Qt::ISODate))
            : fixtureTests();
        QVERIFY(writer.record(written));
        QVERIFY(writer.setValue(ChoiceKey, FixtureChoice));
    }
    if (history)
        QVERIFY(QFile::copy(reference, m_path));
    else
        copyFixture();
    const QString rows = rowsOf(m_path);
    const QByteArray content = fileContent(m_path);

    StudyRecord expected(reference);
    StudyRecord record(
        m_path, &QDateTime::currentDateTime, upgraded ? versionTwo() : StudySchema::current());
    const std::optional<QList<TestPoints>> points = record.testPoints();
    QVERIFY(points);
    QCOMPARE(points->size(), tests);
    QCOMPARE(points, expected.testPoints());
    QCOMPARE(record.statementFigures(), expected.statementFigures());
    QCOMPARE(record.value(ChoiceKey), FixtureChoice);
    QVERIFY(record.takeNotices().isEmpty());

    QCOMPARE(rowsOf(m_path), rows);
    QCOMPARE(sqliteValue(m_path, QStringLiteral("PRAGMA user_version")).toInt(), upgraded ? 2 : 1);
    if (!upgraded)
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

        StudyRecord record(m_path, &QDateTime::currentDateTime, versionTwo(step));
        QVERIFY(!record.statementFigures());
        QVERIFY(!record.record(fixtureTests().constFirst()));
        QVERIFY(record.takeNotices().isEmpty());
        QCOMPARE(fileContent(m_path), content);
        QCOMPARE(entriesOf(m_dir->path()), QStringList {QStringLiteral("kivola.sqlite")});
    }
    QSqlDatabase::removeDatabase(HolderConnection);

    StudyRecord later(m_path, &QDateTime::currentDateTime, versionTwo());
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
        record == QLatin1String("upgraded") ? versionTwo() : StudySchema::current());
    QCOMPARE(database.open(StudyDatabase::Access::Write), StudyDatabase::State::Current);
    QSqlQuery query(database.connection());
    QVERIFY(!query.exec(QStringLiteral("INSERT INTO answers VALUES (999, 1, 7, 1, 1)")));
    // SQLITE_CONSTRAINT_FOREIGNKEY.
    QCOMPARE(query.lastError().nativeErrorCode(), QStringLiteral("787"));
}

QTEST_GUILESS_MAIN(TestStudyDatabase)
#include "tst_studydatabase.moc"
