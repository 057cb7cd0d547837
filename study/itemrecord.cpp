#include "study/itemrecord.h"

#include "study/paperclaim.h"
#include "study/studyfigures.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace kivola {

namespace {

const char *const AttemptColumns
    = "id, kind, paper, started_at, finished_at, state, item_count, time_limit, seconds_left, "
      "seconds_used, right_count";

bool run(QSqlQuery &query, const QString &statement, const QVariantList &values)
{
    if (!query.prepare(statement))
        return false;
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec();
}

// For the changes that name one row: none changed means no such row, or an attempt that ended.
bool runOnOne(QSqlQuery &query, const QString &statement, const QVariantList &values)
{
    return run(query, statement, values) && query.numRowsAffected() == 1;
}

QVariant nullable(std::optional<int> value)
{
    return value ? QVariant(*value) : QVariant();
}

QDateTime timeOf(const QVariant &stored)
{
    return stored.isNull() ? QDateTime() : QDateTime::fromString(stored.toString(), Qt::ISODate);
}

bool insertJudgments(
    QSqlQuery &query, qint64 attemptId, const JudgedItem &item, const QString &judgedAt)
{
    for (const Judgment &judgment : item.judgments) {
        if (!run(query,
                QStringLiteral("INSERT INTO judgments (attempt_id, position, bank_id, given, "
                               "correct, format, judged_at) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {attemptId, item.position, judgment.bankId, judgment.given, int(judgment.correct),
                    judgment.format, judgedAt}))
            return false;
    }
    return true;
}

ItemAttempt attemptFrom(const QSqlQuery &query)
{
    return {query.value(0).toLongLong(), AttemptKind(query.value(1).toInt()),
        query.value(2).isNull() ? NoPaper : query.value(2).toInt(), timeOf(query.value(3)),
        timeOf(query.value(4)), AttemptState(query.value(5).toInt()), query.value(6).toInt(),
        query.value(7).toInt(), query.value(8).toInt(), query.value(9).toInt(),
        query.value(10).toInt(), {}};
}

ItemAnswer answerFrom(const QSqlQuery &query)
{
    return {{query.value(0).toInt(), query.value(1).toInt(), query.value(2).toInt(),
                query.value(3).toInt()},
        query.value(4).isNull() ? std::nullopt : std::optional(query.value(4).toInt()),
        query.value(5).toBool(), timeOf(query.value(6))};
}

// Every row the statement gives; an empty list for a record that does not exist yet.
template <typename Row, typename Make>
std::optional<QList<Row>> select(
    StudyDatabase &database, const QString &statement, const QVariantList &values, Make make)
{
    QList<Row> rows;
    const StudyDatabase::Content content = database.openForReading();
    if (content != StudyDatabase::Content::Tables)
        return content == StudyDatabase::Content::Nothing ? std::optional(rows) : std::nullopt;
    QSqlQuery query(database.connection());
    query.setForwardOnly(true);
    if (!run(query, statement, values)) {
        database.fail();
        return std::nullopt;
    }
    while (query.next())
        rows.append(make(query));
    // A read that broke off halfway would show too little as if it were all.
    if (query.lastError().isValid()) {
        database.fail();
        return std::nullopt;
    }
    return rows;
}

} // namespace

ItemRecord::ItemRecord(QString path, StudyDatabase::Clock clock, StudySchema schema)
    : m_database(std::move(path), clock, std::move(schema))
    , m_clock(clock)
{ }

// The form tests.finished_at has, so that times of both sort together.
QString ItemRecord::now() const
{
    return m_clock().toUTC().toString(Qt::ISODate);
}

std::optional<qint64> ItemRecord::start(
    AttemptKind kind, int paper, int timeLimitSeconds, const QList<AttemptItem> &items)
{
    // The primary key keeps positions apart; this keeps them from 1 to N.
    const bool numbered = std::all_of(items.cbegin(), items.cend(), [&](const AttemptItem &item) {
        return item.position >= 1 && item.position <= items.size();
    });
    if (!numbered)
        return std::nullopt;
    qint64 id = 0;
    const bool saved = m_database.write([&](QSqlQuery &query) {
        if (!run(query,
                QStringLiteral("INSERT INTO item_attempts (kind, paper, started_at, state, "
                               "item_count, time_limit, seconds_left, seconds_used, right_count) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, 0, 0)"),
                {int(kind), paper == NoPaper ? QVariant() : QVariant(paper), now(),
                    int(AttemptState::UnderWay), int(items.size()), timeLimitSeconds,
                    timeLimitSeconds}))
            return false;
        id = query.lastInsertId().toLongLong();
        for (const AttemptItem &item : items) {
            if (!run(query,
                    QStringLiteral("INSERT INTO item_answers (attempt_id, position, "
                                   "first_bank_id, format, right_option, flagged) "
                                   "VALUES (?, ?, ?, ?, ?, 0)"),
                    {id, item.position, item.firstBankId, item.format, item.rightOption}))
                return false;
        }
        return true;
    });
    return saved ? std::optional(id) : std::nullopt;
}

bool ItemRecord::recordDrillItem(
    qint64 attemptId, int chosen, const JudgedItem &item, int secondsUsed)
{
    const QString at = now();
    return m_database.write([&](QSqlQuery &query) {
        return runOnOne(query,
                   QStringLiteral("UPDATE item_attempts SET seconds_used = ? "
                                  "WHERE id = ? AND state = ?"),
                   {secondsUsed, attemptId, int(AttemptState::UnderWay)})
            && runOnOne(query,
                QStringLiteral("UPDATE item_answers SET chosen = ?, answered_at = ? "
                               "WHERE attempt_id = ? AND position = ?"),
                {chosen, at, attemptId, item.position})
            && insertJudgments(query, attemptId, item, at)
            && runOnOne(query,
                QStringLiteral("UPDATE item_attempts SET right_count = (SELECT count(*) FROM "
                               "item_answers WHERE attempt_id = ? AND chosen = right_option) "
                               "WHERE id = ?"),
                {attemptId, attemptId});
    });
}

bool ItemRecord::recordAnswer(
    qint64 attemptId, int position, std::optional<int> chosen, bool flagged, int secondsLeft)
{
    const QString at = now();
    return m_database.write([&](QSqlQuery &query) {
        return runOnOne(query,
                   QStringLiteral("UPDATE item_attempts SET seconds_left = ? "
                                  "WHERE id = ? AND state = ?"),
                   {secondsLeft, attemptId, int(AttemptState::UnderWay)})
            && runOnOne(query,
                QStringLiteral("UPDATE item_answers SET chosen = ?, flagged = ?, answered_at = ? "
                               "WHERE attempt_id = ? AND position = ?"),
                {nullable(chosen), int(flagged), at, attemptId, position});
    });
}

bool ItemRecord::saveSecondsLeft(qint64 attemptId, int secondsLeft)
{
    return m_database.write([&](QSqlQuery &query) {
        return runOnOne(query,
            QStringLiteral("UPDATE item_attempts SET seconds_left = ? WHERE id = ? AND state = ?"),
            {secondsLeft, attemptId, int(AttemptState::UnderWay)});
    });
}

bool ItemRecord::end(qint64 attemptId, AttemptState state, int secondsUsed, int rightCount,
    const QList<JudgedItem> &judged)
{
    if (state == AttemptState::UnderWay)
        return false;
    const QString at = now();
    return m_database.write([&](QSqlQuery &query) {
        if (!runOnOne(query,
                QStringLiteral("UPDATE item_attempts SET state = ?, finished_at = ?, "
                               "seconds_used = ?, right_count = ? WHERE id = ? AND state = ?"),
                {int(state), at, secondsUsed, rightCount, attemptId, int(AttemptState::UnderWay)}))
            return false;
        return std::all_of(judged.cbegin(), judged.cend(),
            [&](const JudgedItem &item) { return insertJudgments(query, attemptId, item, at); });
    });
}

std::optional<ItemAttempt> ItemRecord::attempt(qint64 attemptId)
{
    const std::optional<QList<ItemAttempt>> attempts
        = attemptsWhere(QStringLiteral("id = %1").arg(attemptId));
    if (!attempts || attempts->isEmpty())
        return std::nullopt;
    const std::optional<QList<ItemAnswer>> answers = select<ItemAnswer>(m_database,
        QStringLiteral("SELECT position, first_bank_id, format, right_option, chosen, flagged, "
                       "answered_at FROM item_answers WHERE attempt_id = ? ORDER BY position"),
        {attemptId}, &answerFrom);
    if (!answers)
        return std::nullopt;
    ItemAttempt read = attempts->constFirst();
    read.answers = *answers;
    return read;
}

std::optional<QList<ItemAttempt>> ItemRecord::papersUnderWay()
{
    return attemptsWhere(QStringLiteral("kind = %1 AND state = %2")
                             .arg(int(AttemptKind::MockPaper))
                             .arg(int(AttemptState::UnderWay)));
}

std::optional<QList<ItemAttempt>> ItemRecord::resumablePapers()
{
    std::optional<QList<ItemAttempt>> papers = papersUnderWay();
    if (papers) {
        papers->removeIf(
            [this](const ItemAttempt &paper) { return !PaperClaim::isFree(path(), paper.id); });
    }
    return papers;
}

std::optional<QList<PaperResult>> ItemRecord::papersTaken()
{
    return select<PaperResult>(m_database,
        QStringLiteral("SELECT id, paper, finished_at, right_count, item_count, seconds_used "
                       "FROM item_attempts WHERE kind = ? AND state = ? ORDER BY finished_at, id"),
        {int(AttemptKind::MockPaper), int(AttemptState::Finished)}, [](const QSqlQuery &query) {
            const int right = query.value(3).toInt();
            const int count = query.value(4).toInt();
            return PaperResult {query.value(0).toLongLong(), query.value(1).toInt(),
                timeOf(query.value(2)), right, count, paperScore(right, count),
                query.value(5).toInt()};
        });
}

std::optional<QList<ItemAttempt>> ItemRecord::attemptsWhere(const QString &condition)
{
    return select<ItemAttempt>(m_database,
        QStringLiteral("SELECT %1 FROM item_attempts WHERE %2 ORDER BY id")
            .arg(QLatin1String(AttemptColumns), condition),
        {}, &attemptFrom);
}

} // namespace kivola
