#include "study/studydatabase.h"

#include "bank/questionbank.h"
#include "study/completedtest.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace kivola {

namespace {

// SQLite's primary result codes that mean the file itself is unusable, as opposed to a lock,
// a full disk or missing rights.
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;
constexpr int PrimaryCodeMask = 0xFF;
// One attempt to open, one more after moving a broken file aside, one more should another copy
// of the program have moved its own broken file at the same moment.
constexpr int OpenAttempts = 3;

const char *const BrokenInfix = ".broken-";
const char *const BrokenStampFormat = "yyyyMMdd-HHmmss";
// The files SQLite keeps beside a database: they belong to it and move with it.
const char *const Companions[] = {"-journal", "-wal", "-shm"};

struct TableColumns
{
    const char *table;
    QStringList columns;
};

const QList<TableColumns> &expectedTables()
{
    static const QList<TableColumns> tables {
        {"tests",
            {QStringLiteral("id"), QStringLiteral("finished_at"), QStringLiteral("kind"),
                QStringLiteral("points")}},
        {"answers",
            {QStringLiteral("test_id"), QStringLiteral("slot"), QStringLiteral("bank_id"),
                QStringLiteral("given"), QStringLiteral("correct")}},
        {"choices", {QStringLiteral("name"), QStringLiteral("value")}},
    };
    return tables;
}

QStringList schemaStatements()
{
    return {
        QStringLiteral("CREATE TABLE tests (id INTEGER PRIMARY KEY, finished_at TEXT NOT NULL, "
                       "kind INTEGER NOT NULL, points INTEGER NOT NULL)"),
        QStringLiteral(
            "CREATE TABLE answers (test_id INTEGER NOT NULL REFERENCES tests (id), "
            "slot INTEGER NOT NULL CHECK (slot BETWEEN 1 AND %1), "
            "bank_id INTEGER NOT NULL CHECK (bank_id BETWEEN 1 AND %2), "
            "given INTEGER NOT NULL, correct INTEGER NOT NULL CHECK (correct IN (0, 1)), "
            "PRIMARY KEY (test_id, slot)) WITHOUT ROWID")
            .arg(AnswersPerTest)
            .arg(QuestionBank::QuestionCount),
        // Covers the figures per statement: counts and the latest answers without the table.
        QStringLiteral("CREATE INDEX answers_by_statement ON answers (bank_id, test_id, slot, "
                       "correct)"),
        QStringLiteral("CREATE INDEX tests_by_time ON tests (finished_at, id)"),
        QStringLiteral("CREATE TABLE choices (name TEXT PRIMARY KEY, value TEXT NOT NULL) "
                       "WITHOUT ROWID"),
        QStringLiteral("PRAGMA application_id = %1").arg(StudyDatabase::ApplicationId),
        QStringLiteral("PRAGMA user_version = %1").arg(StudyDatabase::SchemaVersion),
    };
}

QString nextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("kivola-study-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

StudyDatabase::StudyDatabase(QString path, Clock clock)
    : m_path(std::move(path))
    , m_clock(clock)
{ }

StudyDatabase::~StudyDatabase()
{
    close();
    if (m_registered)
        QSqlDatabase::removeDatabase(m_connectionName);
}

int StudyDatabase::primaryCode(const QString &nativeErrorCode)
{
    return nativeErrorCode.toInt() & PrimaryCodeMask;
}

QSqlDatabase StudyDatabase::connection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

QList<StudyNotice> StudyDatabase::takeNotices()
{
    return std::exchange(m_notices, {});
}

bool StudyDatabase::fail(const QString &what)
{
    m_lastError = what;
    return false;
}

StudyDatabase::State StudyDatabase::open(Access access)
{
    if (m_state == State::Empty && access == Access::Write && createTables()) {
        if (examine() == Verdict::Current)
            m_state = State::Current;
        else
            close();
    }
    if (m_state != State::Closed)
        return m_state;

    for (int attempt = 0; attempt < OpenAttempts; ++attempt) {
        const QFileInfo file(m_path);
        if (file.exists() && !file.isFile()) {
            fail(QStringLiteral("%1 is no regular file").arg(m_path));
            return m_state;
        }
        // A record never kept reads as an empty one; only recording creates the file.
        if (!file.exists() && access == Access::Read)
            return m_state;
        if (!connect(false))
            return m_state;

        const Verdict verdict = examine();
        switch (verdict) {
        case Verdict::Current:
            useRollbackJournal();
            m_state = State::Current;
            return m_state;
        case Verdict::Empty:
            useRollbackJournal();
            m_state = State::Empty;
            return open(access);
        case Verdict::Newer:
            close();
            if (connect(true))
                m_state = State::Newer;
            return m_state;
        case Verdict::Unreadable:
            close();
            return m_state;
        case Verdict::NotADatabase:
        case Verdict::Damaged:
        case Verdict::ForeignContent:
            close();
            if (!moveAside(verdict == Verdict::NotADatabase ? StudyNotice::Reason::NotADatabase
                        : verdict == Verdict::Damaged       ? StudyNotice::Reason::Damaged
                                                            : StudyNotice::Reason::ForeignContent))
                return m_state;
            break;
        }
    }
    return m_state;
}

bool StudyDatabase::connect(bool readOnly)
{
    if (!m_registered) {
        m_connectionName = nextConnectionName();
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        m_registered = true;
    }
    QSqlDatabase db = connection();
    if (!db.isValid())
        return fail(QStringLiteral("the SQLite driver of Qt is not installed"));
    db.setDatabaseName(m_path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs);
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open())
        return fail(db.lastError().text());
    return true;
}

void StudyDatabase::useRollbackJournal()
{
    // A rollback journal rather than write-ahead logging: reading a database in WAL mode needs
    // a shared-memory file beside it, so a record in a read-only folder could not even be read,
    // and WAL does not work on network folders, where a portable copy may keep its record. Its
    // gains, fewer syncs and reading during a write, buy nothing at one small transaction per
    // test. A copy killed mid-write leaves kivola.sqlite-journal behind, which the next opening
    // plays back: it must never be deleted by hand. Switching also turns a file some other tool
    // left in WAL mode back into a single file.
    QSqlQuery pragmas(connection());
    pragmas.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
    pragmas.exec(QStringLiteral("PRAGMA synchronous = FULL"));
}

void StudyDatabase::close()
{
    QSqlDatabase db = connection();
    if (db.isValid())
        db.close();
    m_state = State::Closed;
}

StudyDatabase::Verdict StudyDatabase::examine()
{
    QSqlQuery query(connection());
    auto failure = [&] {
        m_lastError = query.lastError().text();
        switch (primaryCode(query.lastError().nativeErrorCode())) {
        case SqliteNotADatabase:
            return Verdict::NotADatabase;
        case SqliteCorrupt:
            return Verdict::Damaged;
        default:
            return Verdict::Unreadable;
        }
    };
    auto number = [&](const QString &statement, int &value) {
        if (!query.exec(statement) || !query.next())
            return false;
        value = query.value(0).toInt();
        query.finish();
        return true;
    };

    int applicationId = 0;
    int version = 0;
    int objects = 0;
    if (!number(QStringLiteral("PRAGMA application_id"), applicationId)
        || !number(QStringLiteral("PRAGMA user_version"), version)
        || !number(QStringLiteral("SELECT count(*) FROM sqlite_master"), objects))
        return failure();
    if (objects == 0 && applicationId == 0 && version == 0)
        return Verdict::Empty;
    if (applicationId != ApplicationId)
        return Verdict::ForeignContent;
    // Not ours to check or repair: the newer program knows its own file.
    if (version > SchemaVersion)
        return Verdict::Newer;

    if (!query.exec(QStringLiteral("PRAGMA quick_check(1)")) || !query.next())
        return failure();
    if (query.value(0).toString() != QLatin1String("ok")) {
        m_lastError = query.value(0).toString();
        return Verdict::Damaged;
    }
    query.finish();

    if (version != SchemaVersion)
        return Verdict::ForeignContent;
    for (const TableColumns &expected : expectedTables()) {
        if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(expected.table))))
            return failure();
        QStringList columns;
        while (query.next())
            columns.append(query.value(1).toString());
        if (columns != expected.columns)
            return Verdict::ForeignContent;
    }
    return Verdict::Current;
}

bool StudyDatabase::createTables()
{
    QSqlQuery query(connection());
    // Taken before looking, so that of two copies creating the record at once one waits and
    // then finds the tables of the other.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(query.lastError().text());
    bool empty = query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) && query.next()
        && query.value(0).toInt() == 0;
    query.finish();
    const QStringList statements = empty ? schemaStatements() : QStringList();
    for (const QString &statement : statements) {
        if (!query.exec(statement)) {
            m_lastError = query.lastError().text();
            query.exec(QStringLiteral("ROLLBACK"));
            return false;
        }
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        m_lastError = query.lastError().text();
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

bool StudyDatabase::moveAside(StudyNotice::Reason reason)
{
    const QString stamp = m_clock().toString(QLatin1String(BrokenStampFormat));
    const QString stem = m_path + QLatin1String(BrokenInfix) + stamp;
    auto taken = [](const QString &name) {
        if (QFileInfo::exists(name))
            return true;
        for (const char *companion : Companions) {
            if (QFileInfo::exists(name + QLatin1String(companion)))
                return true;
        }
        return false;
    };
    QString brokenPath = stem;
    for (int n = 2; taken(brokenPath); ++n)
        brokenPath = stem + QLatin1Char('-') + QString::number(n);

    if (!QFile::rename(m_path, brokenPath))
        return fail(QStringLiteral("cannot move %1 aside").arg(m_path));
    m_notices.append({reason, brokenPath});
    // A journal left beside a new database would be played back into it.
    for (const char *companion : Companions) {
        const QString leftover = m_path + QLatin1String(companion);
        if (QFileInfo::exists(leftover)
            && !QFile::rename(leftover, brokenPath + QLatin1String(companion)))
            return fail(QStringLiteral("cannot move %1 aside").arg(leftover));
    }
    return true;
}

} // namespace kivola
