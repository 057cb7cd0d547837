#include "study/studyrecord.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace kivola {

namespace {

// Counts per statement, and its latest two answers by the order tests were recorded in, all
// from the covering index.
const char *const StatementFiguresQuery
    = "SELECT bank_id, count(*), sum(1 - correct),"
      " (SELECT correct FROM answers AS l WHERE l.bank_id = a.bank_id"
      "  ORDER BY l.test_id DESC, l.slot DESC LIMIT 1),"
      " (SELECT correct FROM answers AS l WHERE l.bank_id = a.bank_id"
      "  ORDER BY l.test_id DESC, l.slot DESC LIMIT 1 OFFSET 1)"
      " FROM answers AS a GROUP BY bank_id";

// Newest first, straight from the index, and turned round afterwards: cheaper than sorting
// the rows again.
const char *const TestPointsQuery
    = "SELECT finished_at, kind, points FROM tests ORDER BY finished_at DESC, id DESC LIMIT ?";

} // namespace

StudyRecord::StudyRecord(QString path, StudyDatabase::Clock clock, StudySchema schema)
    : m_database(std::move(path), clock, std::move(schema))
{ }

QString StudyRecord::pathIn(const QString &folder)
{
    return QDir(folder).filePath(QString::fromLatin1(FileName));
}

// After a failure the file is looked at afresh next time: it may have been damaged since. What
// failed is not kept: the caller's false or missing value is what reaches the student.
bool StudyRecord::failed()
{
    m_database.close();
    return false;
}

bool StudyRecord::writable()
{
    switch (m_database.open(StudyDatabase::Access::Write)) {
    case StudyDatabase::State::Current:
        return true;
    case StudyDatabase::State::Newer:
    case StudyDatabase::State::Empty:
    case StudyDatabase::State::Closed:
        break;
    }
    return false;
}

bool StudyRecord::record(const CompletedTest &test)
{
    return record(std::span<const CompletedTest>(&test, 1));
}

bool StudyRecord::record(std::span<const CompletedTest> tests)
{
    if (!writable())
        return false;
    QSqlQuery query(m_database.connection());
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return failed();

    QSqlQuery answerQuery(m_database.connection());
    // A rollback that fails is left at that: closing the connection undoes the transaction too.
    auto abandon = [&] {
        answerQuery.finish();
        query.exec(QStringLiteral("ROLLBACK"));
        query.finish();
        return failed();
    };
    if (!query.prepare(
            QStringLiteral("INSERT INTO tests (finished_at, kind, points) VALUES (?, ?, ?)"))
        || !answerQuery.prepare(QStringLiteral("INSERT INTO answers (test_id, slot, bank_id, "
                                               "given, correct) VALUES (?, ?, ?, ?, ?)"))) {
        return abandon();
    }
    for (const CompletedTest &test : tests) {
        query.addBindValue(test.finishedUtc.toUTC().toString(Qt::ISODate));
        query.addBindValue(int(test.kind));
        query.addBindValue(test.points);
        if (!query.exec())
            return abandon();
        const QVariant testId = query.lastInsertId();
        for (const GivenAnswer &answer : test.answers) {
            answerQuery.addBindValue(testId);
            answerQuery.addBindValue(answer.slot);
            answerQuery.addBindValue(answer.bankId);
            answerQuery.addBindValue(answer.givenCode);
            answerQuery.addBindValue(int(answer.right));
            if (!answerQuery.exec())
                return abandon();
        }
    }
    query.finish();
    answerQuery.finish();
    if (!query.exec(QStringLiteral("COMMIT")))
        return abandon();
    return true;
}

StudyRecord::Source StudyRecord::source()
{
    switch (m_database.open(StudyDatabase::Access::Read)) {
    case StudyDatabase::State::Current:
    case StudyDatabase::State::Newer:
        return Source::Tables;
    case StudyDatabase::State::Empty:
        return Source::Nothing;
    case StudyDatabase::State::Closed:
        break;
    }
    return QFileInfo::exists(path()) ? Source::Unreadable : Source::Nothing;
}

QString StudyRecord::value(const QString &name)
{
    if (source() != Source::Tables)
        return {};
    QSqlQuery query(m_database.connection());
    if (!query.prepare(QStringLiteral("SELECT value FROM choices WHERE name = ?"))) {
        failed();
        return {};
    }
    query.addBindValue(name);
    if (!query.exec()) {
        failed();
        return {};
    }
    if (query.next())
        return query.value(0).toString();
    if (query.lastError().isValid())
        failed();
    return {};
}

bool StudyRecord::setValue(const QString &name, const QString &value)
{
    if (!writable())
        return false;
    QSqlQuery query(m_database.connection());
    if (!query.prepare(
            QStringLiteral("INSERT OR REPLACE INTO choices (name, value) VALUES (?, ?)")))
        return failed();
    query.addBindValue(name);
    // A null string would be bound as SQL's NULL.
    query.addBindValue(value.isNull() ? QStringLiteral("") : value);
    return query.exec() || failed();
}

std::optional<StatementTable> StudyRecord::statementFigures()
{
    StatementTable table = emptyStatementTable();
    const Source from = source();
    if (from != Source::Tables)
        return from == Source::Nothing ? std::optional(table) : std::nullopt;

    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    if (!query.exec(QLatin1String(StatementFiguresQuery))) {
        failed();
        return std::nullopt;
    }
    auto resultOf = [](const QVariant &correct) {
        return correct.isNull() ? LatestResult::Unseen
            : correct.toBool()  ? LatestResult::Right
                                : LatestResult::Wrong;
    };
    while (query.next()) {
        const int id = query.value(0).toInt();
        if (id < 1 || id >= table.size())
            continue;
        StatementFigures &figures = table[id];
        figures.answered = query.value(1).toInt();
        figures.wrong = query.value(2).toInt();
        figures.latest = resultOf(query.value(3));
        figures.mastered = figures.latest == LatestResult::Right
            && resultOf(query.value(4)) == LatestResult::Right;
    }
    // A read that broke off halfway would show too little as if it were all.
    if (query.lastError().isValid()) {
        failed();
        return std::nullopt;
    }
    return table;
}

std::optional<QList<TestPoints>> StudyRecord::testPoints(int latestCount)
{
    QList<TestPoints> tests;
    const Source from = source();
    if (from != Source::Tables)
        return from == Source::Nothing ? std::optional(tests) : std::nullopt;

    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    if (!query.prepare(QLatin1String(TestPointsQuery))) {
        failed();
        return std::nullopt;
    }
    query.addBindValue(qMax(latestCount, 0));
    if (!query.exec()) {
        failed();
        return std::nullopt;
    }
    while (query.next()) {
        tests.append({QDateTime::fromString(query.value(0).toString(), Qt::ISODate),
            TestKind(query.value(1).toInt()), query.value(2).toInt()});
    }
    if (query.lastError().isValid()) {
        failed();
        return std::nullopt;
    }
    std::reverse(tests.begin(), tests.end());
    return tests;
}

} // namespace kivola
