#include "study/studydatabase.h"

#include "study/studyshape.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <optional>

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

QString nextConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("kivola-study-%1").arg(counter.fetchAndAddRelaxed(1));
}

bool enforceForeignKeys(QSqlQuery &query)
{
    return query.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
}

// A rollback that fails is left at that: every failure here closes the connection next, and
// closing undoes the transaction all the same.
void rollBack(QSqlQuery &query)
{
    query.finish();
    query.exec(QStringLiteral("ROLLBACK"));
}

} // namespace

StudyDatabase::StudyDatabase(QString path, Clock clock, StudySchema schema)
    : m_path(std::move(path))
    , m_clock(clock)
    , m_schema(std::move(schema))
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

StudyDatabase::State StudyDatabase::open(Access access)
{
    if (m_state == State::Empty && access == Access::Write) {
        if (!createTables()) {
            close();
            return m_state;
        }
        if (examine() == Verdict::Current) {
            m_state = State::Current;
            return m_state;
        }
        // Another copy of the program put something else there first: looked at afresh.
        close();
    }
    if (m_state != State::Closed)
        return m_state;

    for (int attempt = 0; attempt < OpenAttempts; ++attempt) {
        const QFileInfo file(m_path);
        if (file.exists() && !file.isFile())
            return m_state;
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
        case Verdict::Older:
            useRollbackJournal();
            // Another copy of the program may have upgraded the file meanwhile: it is looked at
            // again as it now stands.
            if (upgrade() && examine() == Verdict::Current)
                m_state = State::Current;
            else
                close();
            return m_state;
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
    // Without Qt's SQLite driver there is no record at all.
    if (!db.isValid())
        return false;
    db.setDatabaseName(m_path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs);
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open())
        return false;
    // SQLite checks the answers' reference to their test only when asked, on every connection.
    QSqlQuery query(db);
    if (!enforceForeignKeys(query)) {
        db.close();
        return false;
    }
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
    // Neither result is looked at: a file that stays in WAL mode because another connection has
    // it open is still read and written correctly, and a connection's sync setting cannot fail.
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

StudyDatabase::Content StudyDatabase::openForReading()
{
    switch (open(Access::Read)) {
    case State::Current:
    case State::Newer:
        return Content::Tables;
    case State::Empty:
        return Content::Nothing;
    case State::Closed:
        break;
    }
    return QFileInfo::exists(m_path) ? Content::Unreadable : Content::Nothing;
}

bool StudyDatabase::write(const std::function<bool(QSqlQuery &)> &work)
{
    // A file of a newer version is read only.
    if (open(Access::Write) != State::Current)
        return false;
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail();
    if (!work(query) || !query.exec(QStringLiteral("COMMIT"))) {
        rollBack(query);
        return fail();
    }
    return true;
}

bool StudyDatabase::fail()
{
    close();
    return false;
}

StudyDatabase::Verdict StudyDatabase::examine()
{
    QSqlQuery query(connection());
    auto failure = [&] {
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
    if (version > m_schema.version())
        return Verdict::Newer;

    if (!query.exec(QStringLiteral("PRAGMA quick_check(1)")) || !query.next())
        return failure();
    if (query.value(0).toString() != QLatin1String("ok"))
        return Verdict::Damaged;
    query.finish();

    if (version < 1)
        return Verdict::ForeignContent;
    // What an earlier version's file holds is known only by upgrading it.
    if (version < m_schema.version())
        return Verdict::Older;
    const std::optional<StudyShape> defined = StudyShape::defined(m_schema);
    // A definition SQLite rejects is this program's own fault: no file can be told ours then,
    // and none is used or moved aside.
    if (!defined)
        return Verdict::Unreadable;
    const std::optional<StudyShape> shape = StudyShape::read(query);
    if (!shape)
        return failure();
    return shape->holds(*defined) ? Verdict::Current : Verdict::ForeignContent;
}

bool StudyDatabase::createTables()
{
    QSqlQuery query(connection());
    // Taken before looking, so that of two copies creating the record at once one waits and
    // then finds the tables of the other.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next()) {
        rollBack(query);
        return false;
    }
    const bool empty = query.value(0).toInt() == 0;
    query.finish();
    QStringList statements;
    if (empty) {
        statements = m_schema.tables;
        statements << QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId)
                   << QStringLiteral("PRAGMA user_version = %1").arg(m_schema.version());
    }
    for (const QString &statement : std::as_const(statements)) {
        if (!query.exec(statement)) {
            rollBack(query);
            return false;
        }
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        rollBack(query);
        return false;
    }
    return true;
}

bool StudyDatabase::upgrade()
{
    QSqlQuery query(connection());
    // Off for the steps, so that one may rebuild a table the answers refer to; the references
    // are checked once before the commit instead. Inside a transaction the pragma does nothing.
    const bool upgraded = query.exec(QStringLiteral("PRAGMA foreign_keys = OFF"))
        && query.exec(QStringLiteral("BEGIN IMMEDIATE")) && runUpgrades(query)
        && query.exec(QStringLiteral("COMMIT"));
    if (!upgraded)
        rollBack(query);
    return enforceForeignKeys(query) && upgraded;
}

bool StudyDatabase::runUpgrades(QSqlQuery &query)
{
    // Read again under the write lock: another copy of the program may have upgraded the file
    // since it was examined. A file changed to anything else is looked at by the next opening.
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return false;
    const int version = query.value(0).toInt();
    query.finish();
    if (version < 1 || version > m_schema.version())
        return false;
    for (qsizetype step = version - 1; step < m_schema.upgrades.size(); ++step) {
        for (const QString &statement : m_schema.upgrades.at(step)) {
            if (!query.exec(statement))
                return false;
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(m_schema.version())))
        return false;

    // An upgrade that does not end in the tables a new file is given is not committed.
    const std::optional<StudyShape> defined = StudyShape::defined(m_schema);
    const std::optional<StudyShape> shape = StudyShape::read(query);
    if (!defined || !shape || !shape->holds(*defined))
        return false;
    if (!query.exec(QStringLiteral("PRAGMA foreign_key_check")))
        return false;
    const bool broken = query.next();
    if (query.lastError().isValid())
        return false;
    query.finish();
    return !broken;
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
        return false;
    m_notices.append({reason, brokenPath});
    // A journal left beside a new database would be played back into it.
    for (const char *companion : Companions) {
        const QString leftover = m_path + QLatin1String(companion);
        if (QFileInfo::exists(leftover)
            && !QFile::rename(leftover, brokenPath + QLatin1String(companion)))
            return false;
    }
    return true;
}

} // namespace kivola
