#include "study/studyrecord.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <vector>

namespace kivola {

namespace {

// Per statement and source (0 tests, 1 judgments, 2 reviews): counts, then whether the latest two
// answers were right, then their times, all from the covering indexes. The times of tests take a
// look-up each and are only needed against judgments: statements never judged go without.
const char *const StatementFiguresQuery
    = "SELECT 0, bank_id, count(*), sum(1 - correct),"
      " (SELECT correct FROM answers AS l WHERE l.bank_id = a.bank_id"
      "  ORDER BY l.test_id DESC, l.slot DESC LIMIT 1),"
      " (SELECT correct FROM answers AS l WHERE l.bank_id = a.bank_id"
      "  ORDER BY l.test_id DESC, l.slot DESC LIMIT 1 OFFSET 1),"
      " CASE WHEN EXISTS (SELECT 1 FROM judgments AS j WHERE j.bank_id = a.bank_id)"
      " OR EXISTS (SELECT 1 FROM reviews AS r WHERE r.bank_id = a.bank_id) THEN"
      " (SELECT t.finished_at FROM answers AS l JOIN tests AS t ON t.id = l.test_id"
      "  WHERE l.bank_id = a.bank_id ORDER BY l.test_id DESC, l.slot DESC LIMIT 1) END,"
      " CASE WHEN EXISTS (SELECT 1 FROM judgments AS j WHERE j.bank_id = a.bank_id)"
      " OR EXISTS (SELECT 1 FROM reviews AS r WHERE r.bank_id = a.bank_id) THEN"
      " (SELECT t.finished_at FROM answers AS l JOIN tests AS t ON t.id = l.test_id"
      "  WHERE l.bank_id = a.bank_id ORDER BY l.test_id DESC, l.slot DESC LIMIT 1 OFFSET 1) END"
      " FROM answers AS a GROUP BY bank_id"
      " UNION ALL SELECT 1, bank_id, count(*), sum(1 - correct),"
      " (SELECT correct FROM judgments AS l WHERE l.bank_id = j.bank_id"
      "  ORDER BY l.judged_at DESC, l.attempt_id DESC, l.position DESC LIMIT 1),"
      " (SELECT correct FROM judgments AS l WHERE l.bank_id = j.bank_id"
      "  ORDER BY l.judged_at DESC, l.attempt_id DESC, l.position DESC LIMIT 1 OFFSET 1),"
      " (SELECT judged_at FROM judgments AS l WHERE l.bank_id = j.bank_id"
      "  ORDER BY l.judged_at DESC, l.attempt_id DESC, l.position DESC LIMIT 1),"
      " (SELECT judged_at FROM judgments AS l WHERE l.bank_id = j.bank_id"
      "  ORDER BY l.judged_at DESC, l.attempt_id DESC, l.position DESC LIMIT 1 OFFSET 1)"
      " FROM judgments AS j GROUP BY bank_id"
      " UNION ALL SELECT 2, bank_id, count(*), sum(1 - correct),"
      " (SELECT correct FROM reviews AS l WHERE l.bank_id = r.bank_id"
      "  ORDER BY l.answered_at DESC, l.id DESC LIMIT 1),"
      " (SELECT correct FROM reviews AS l WHERE l.bank_id = r.bank_id"
      "  ORDER BY l.answered_at DESC, l.id DESC LIMIT 1 OFFSET 1),"
      " (SELECT answered_at FROM reviews AS l WHERE l.bank_id = r.bank_id"
      "  ORDER BY l.answered_at DESC, l.id DESC LIMIT 1),"
      " (SELECT answered_at FROM reviews AS l WHERE l.bank_id = r.bank_id"
      "  ORDER BY l.answered_at DESC, l.id DESC LIMIT 1 OFFSET 1)"
      " FROM reviews AS r GROUP BY bank_id";

// The tests in the order of their index by time, merged with the judgments sorted alike. For the
// ordering, the judgments' attempts are numbered past every test (2^40), so that at the same second
// the test answers come first without a sort of their own.
const char *const StatementHistoryQuery
    = "SELECT a.bank_id, t.finished_at AS at, a.correct, a.given, 0, 0, t.id AS owner,"
      " a.slot AS place FROM tests AS t JOIN answers AS a ON a.test_id = t.id"
      " UNION ALL SELECT bank_id, judged_at, correct, given, 1, format,"
      " attempt_id + 1099511627776, position FROM judgments"
      " UNION ALL SELECT bank_id, answered_at, correct, given, 2, 0, id + 2199023255552, 0"
      " FROM reviews ORDER BY at, owner, place, 1";

// Newest first, straight from the index, and turned round afterwards: cheaper than sorting
// the rows again.
const char *const TestPointsQuery
    = "SELECT finished_at, kind, points FROM tests ORDER BY finished_at DESC, id DESC LIMIT ?";

enum Source
{
    FromTests,
    FromJudgments,
    FromReviews,
    SourceCount
};

// One of the latest answers of a statement: its time as stored (the same ISO form for both
// sources, so the strings sort as the times do; a null string where it was not needed) and
// whether it was right.
struct Recent
{
    QString at;
    bool correct = false;
};
using RecentPair = QVarLengthArray<Recent, 2>;

// The latest two of the merged answers, latest first; at the same second the later source wins.
std::array<LatestResult, 2> latestTwo(const std::array<RecentPair, SourceCount> &sources)
{
    std::array<LatestResult, 2> latest {LatestResult::Unseen, LatestResult::Unseen};
    std::array<qsizetype, SourceCount> taken {};
    for (LatestResult &result : latest) {
        int best = -1;
        for (int source = 0; source < SourceCount; ++source) {
            if (taken[source] == sources[source].size())
                continue;
            if (best < 0
                || sources[source].at(taken[source]).at >= sources[best].at(taken[best]).at) {
                best = source;
            }
        }
        if (best < 0)
            break;
        result
            = sources[best].at(taken[best]++).correct ? LatestResult::Right : LatestResult::Wrong;
    }
    return latest;
}

StatementEvent::Source sourceOf(int source)
{
    switch (source) {
    case FromJudgments:
        return StatementEvent::Source::Judgment;
    case FromReviews:
        return StatementEvent::Source::Review;
    default:
        return StatementEvent::Source::TestAnswer;
    }
}

} // namespace

StudyRecord::StudyRecord(QString path, StudyDatabase::Clock clock, StudySchema schema)
    : m_database(std::move(path), clock, std::move(schema))
{ }

QString StudyRecord::pathIn(const QString &folder)
{
    return QDir(folder).filePath(QString::fromLatin1(FileName));
}

bool StudyRecord::record(const CompletedTest &test)
{
    return record(std::span<const CompletedTest>(&test, 1));
}

bool StudyRecord::record(std::span<const CompletedTest> tests)
{
    return m_database.write([&](QSqlQuery &query) {
        QSqlQuery answerQuery(m_database.connection());
        if (!query.prepare(
                QStringLiteral("INSERT INTO tests (finished_at, kind, points) VALUES (?, ?, ?)"))
            || !answerQuery.prepare(QStringLiteral("INSERT INTO answers (test_id, slot, bank_id, "
                                                   "given, correct) VALUES (?, ?, ?, ?, ?)"))) {
            return false;
        }
        for (const CompletedTest &test : tests) {
            query.addBindValue(test.finishedUtc.toUTC().toString(Qt::ISODate));
            query.addBindValue(int(test.kind));
            query.addBindValue(test.points);
            if (!query.exec())
                return false;
            const QVariant testId = query.lastInsertId();
            for (const GivenAnswer &answer : test.answers) {
                answerQuery.addBindValue(testId);
                answerQuery.addBindValue(answer.slot);
                answerQuery.addBindValue(answer.bankId);
                answerQuery.addBindValue(answer.givenCode);
                answerQuery.addBindValue(int(answer.right));
                if (!answerQuery.exec())
                    return false;
            }
        }
        query.finish();
        return true;
    });
}

bool StudyRecord::recordReview(const ReviewAnswer &answer)
{
    return m_database.write([&](QSqlQuery &query) {
        if (!query.prepare(QStringLiteral("INSERT INTO reviews (bank_id, answered_at, given, "
                                          "correct) VALUES (?, ?, ?, ?)")))
            return false;
        query.addBindValue(answer.bankId);
        query.addBindValue(answer.answeredUtc.toUTC().toString(Qt::ISODate));
        query.addBindValue(int(answer.given));
        query.addBindValue(int(answer.correct));
        return query.exec();
    });
}

QString StudyRecord::value(const QString &name)
{
    if (m_database.openForReading() != StudyDatabase::Content::Tables)
        return {};
    QSqlQuery query(m_database.connection());
    if (!query.prepare(QStringLiteral("SELECT value FROM choices WHERE name = ?"))) {
        m_database.fail();
        return {};
    }
    query.addBindValue(name);
    if (!query.exec()) {
        m_database.fail();
        return {};
    }
    if (query.next())
        return query.value(0).toString();
    if (query.lastError().isValid())
        m_database.fail();
    return {};
}

bool StudyRecord::setValue(const QString &name, const QString &value)
{
    return m_database.write([&](QSqlQuery &query) {
        if (!query.prepare(
                QStringLiteral("INSERT OR REPLACE INTO choices (name, value) VALUES (?, ?)")))
            return false;
        query.addBindValue(name);
        // A null string would be bound as SQL's NULL.
        query.addBindValue(value.isNull() ? QStringLiteral("") : value);
        return query.exec();
    });
}

std::optional<StatementTable> StudyRecord::statementFigures()
{
    StatementTable table = emptyStatementTable();
    const StudyDatabase::Content content = m_database.openForReading();
    if (content != StudyDatabase::Content::Tables) {
        return content == StudyDatabase::Content::Nothing ? std::optional(table) : std::nullopt;
    }

    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    if (!query.exec(QLatin1String(StatementFiguresQuery))) {
        m_database.fail();
        return std::nullopt;
    }
    std::vector<std::array<RecentPair, SourceCount>> recent(table.size());
    while (query.next()) {
        const int source = query.value(0).toInt();
        const int id = query.value(1).toInt();
        if (id < 1 || id >= table.size() || source < 0 || source >= SourceCount)
            continue;
        StatementFigures &figures = table[id];
        figures.answered += query.value(2).toInt();
        figures.wrong += query.value(3).toInt();
        RecentPair &pair = recent[id][source];
        for (int column = 4; column < 6 && !query.value(column).isNull(); ++column)
            pair.append({query.value(column + 2).toString(), query.value(column).toBool()});
    }
    // A read that broke off halfway would show too little as if it were all.
    if (query.lastError().isValid()) {
        m_database.fail();
        return std::nullopt;
    }
    for (int id = 1; id < table.size(); ++id) {
        const auto latest = latestTwo(recent[id]);
        table[id].latest = latest[0];
        table[id].mastered = latest[0] == LatestResult::Right && latest[1] == LatestResult::Right;
    }
    return table;
}

std::optional<QList<StatementEvent>> StudyRecord::statementHistory()
{
    QList<StatementEvent> events;
    const StudyDatabase::Content content = m_database.openForReading();
    if (content != StudyDatabase::Content::Tables) {
        return content == StudyDatabase::Content::Nothing ? std::optional(events) : std::nullopt;
    }
    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    if (!query.exec(QLatin1String(StatementHistoryQuery))) {
        m_database.fail();
        return std::nullopt;
    }
    while (query.next()) {
        events.append({query.value(0).toInt(),
            QDateTime::fromString(query.value(1).toString(), Qt::ISODate), query.value(2).toBool(),
            query.value(3).toInt(), sourceOf(query.value(4).toInt()), query.value(5).toInt()});
    }
    if (query.lastError().isValid()) {
        m_database.fail();
        return std::nullopt;
    }
    return events;
}

std::optional<QList<TestPoints>> StudyRecord::testPoints(int latestCount)
{
    QList<TestPoints> tests;
    const StudyDatabase::Content content = m_database.openForReading();
    if (content != StudyDatabase::Content::Tables) {
        return content == StudyDatabase::Content::Nothing ? std::optional(tests) : std::nullopt;
    }

    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    if (!query.prepare(QLatin1String(TestPointsQuery))) {
        m_database.fail();
        return std::nullopt;
    }
    query.addBindValue(qMax(latestCount, 0));
    if (!query.exec()) {
        m_database.fail();
        return std::nullopt;
    }
    while (query.next()) {
        tests.append({QDateTime::fromString(query.value(0).toString(), Qt::ISODate),
            TestKind(query.value(1).toInt()), query.value(2).toInt()});
    }
    if (query.lastError().isValid()) {
        m_database.fail();
        return std::nullopt;
    }
    std::reverse(tests.begin(), tests.end());
    return tests;
}

} // namespace kivola
