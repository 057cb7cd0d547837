#pragma once

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace kivola {

// Told once when a file that could not be used as the learning record was moved aside, so that
// the user hears where it went.
struct StudyNotice
{
    enum class Reason
    {
        NotADatabase,
        Damaged,
        ForeignContent
    };

    Reason reason = Reason::Damaged;
    QString movedTo;

    bool operator==(const StudyNotice &) const = default;
};

// The SQLite file behind the learning record: opened on first use, checked, moved aside when it
// is no record of ours, given its tables when the first test is recorded. Never deletes a file.
class StudyDatabase
{
public:
    using Clock = QDateTime (*)();

    static constexpr int SchemaVersion = 1;
    // Marks the file as ours in its header ("Kivo"), so a database of another program with the
    // same name is told apart from ours.
    static constexpr int ApplicationId = 0x4B69766F;
    // How long a write waits for another running copy of the program to finish its own.
    static constexpr int BusyTimeoutMs = 3000;

    enum class Access
    {
        Read,
        Write
    };
    enum class State
    {
        // Not open, or the last opening failed; the next use tries again.
        Closed,
        // Open, without any tables yet: reads as an empty record.
        Empty,
        Current,
        // Written by a newer version of the program: read, never written or downgraded.
        Newer
    };

    // The clock names moved-aside files.
    StudyDatabase(QString path, Clock clock);
    ~StudyDatabase();
    StudyDatabase(const StudyDatabase &) = delete;
    StudyDatabase &operator=(const StudyDatabase &) = delete;

    const QString &path() const { return m_path; }

    // Opens the file for reading or writing as far as it can be. Reading leaves a missing file
    // missing (and State::Closed); writing creates it with its tables. Returns the state reached.
    State open(Access access);
    QSqlDatabase connection() const;
    // Closes the file; the next use opens and checks it afresh.
    void close();

    QList<StudyNotice> takeNotices();
    // Why the last opening, recording or query failed, for diagnostics.
    const QString &lastError() const { return m_lastError; }
    void setLastError(QString error) { m_lastError = std::move(error); }

    // SQLite's primary result code of a failure: the extended codes carry it in their low byte.
    static int primaryCode(const QString &nativeErrorCode);

private:
    enum class Verdict
    {
        Empty,
        Current,
        Newer,
        NotADatabase,
        Damaged,
        ForeignContent,
        Unreadable
    };

    bool connect(bool readOnly);
    void useRollbackJournal();
    Verdict examine();
    bool createTables();
    bool moveAside(StudyNotice::Reason reason);
    bool fail(const QString &what);

    QString m_path;
    Clock m_clock;
    QString m_connectionName;
    bool m_registered = false;
    State m_state = State::Closed;
    QList<StudyNotice> m_notices;
    QString m_lastError;
};

} // namespace kivola
