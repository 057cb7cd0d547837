#pragma once

#include "study/studyschema.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <functional>

class QSqlQuery;

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

// The SQLite file behind the learning record: opened on first use, checked, upgraded when an
// earlier version wrote it, moved aside when it is no record of ours, given its tables when the
// first test is recorded. Never deletes a file. Whatever fails leaves State::Closed: recording
// then reports false, which the result sheet tells the student, and reading gives nothing.
class StudyDatabase
{
public:
    using Clock = QDateTime (*)();

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

    // The clock names moved-aside files; the schema is the program's own but for tests.
    StudyDatabase(QString path, Clock clock, StudySchema schema = StudySchema::current());
    ~StudyDatabase();
    StudyDatabase(const StudyDatabase &) = delete;
    StudyDatabase &operator=(const StudyDatabase &) = delete;

    const QString &path() const { return m_path; }

    // Opens the file for reading or writing as far as it can be. Reading leaves a missing file
    // missing (and State::Closed); writing creates it with its tables. A file of an earlier
    // version is upgraded in one transaction first, whichever the access; when that fails, the
    // file stays exactly as it was, in its place, for a later opening or a later program to try
    // again, and the state is Closed. Returns the state reached.
    State open(Access access);
    QSqlDatabase connection() const;
    // Closes the file; the next use opens and checks it afresh.
    void close();

    // What there is to read.
    enum class Content
    {
        // No file, or one without tables yet: an empty record.
        Nothing,
        Tables,
        // The file exists but cannot be read just now, or could not be upgraded.
        Unreadable
    };
    Content openForReading();
    // Runs the work in one transaction on a record of this version, creating it when missing.
    // False, with nothing of the work written and the file closed, when opening or any step
    // fails (the work reports its own failures by returning false). The work's queries must be
    // gone when it returns.
    bool write(const std::function<bool(QSqlQuery &)> &work);
    // After a failed read or write: the file is looked at afresh next time, since it may have
    // been damaged meanwhile. Always false, for the caller to return.
    bool fail();

    QList<StudyNotice> takeNotices();

    // SQLite's primary result code of a failure: the extended codes carry it in their low byte.
    static int primaryCode(const QString &nativeErrorCode);

private:
    enum class Verdict
    {
        Empty,
        Older,
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
    bool upgrade();
    bool runUpgrades(QSqlQuery &query);
    bool moveAside(StudyNotice::Reason reason);

    QString m_path;
    Clock m_clock;
    StudySchema m_schema;
    QString m_connectionName;
    bool m_registered = false;
    State m_state = State::Closed;
    QList<StudyNotice> m_notices;
};

} // namespace kivola
