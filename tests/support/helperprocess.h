#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The helper programs tests run beside themselves: a second copy of the program that records,
// holds a lock, or runs with less than the test has.

// Generous: under the sanitizers two copies saving 200 tests each take close to two minutes,
// and a stuck copy still fails the test, only later.
inline constexpr int HelperTimeoutMs = 300000;

// Reads one line, failing the running test when none comes.
void waitForLine(QProcess &process);

// Starts the helper and waits for the line it announces itself with.
void startHelper(QProcess &process, const QString &program, const QStringList &args);

// What the helper runs without: root's rights (as root it runs as nobody instead; anyone else
// keeps their own), or room on the disk (a limit on the size of files stands in for a full one).
enum class HelperLimit
{
    Rights,
    FileSize
};

struct LimitedRun
{
    bool finished = false;
    // Why the case cannot be run on this machine; empty when the helper ran as asked.
    QString skipReason;
};

// Runs the helper to its end under the limit; fileSizeBytes is the limit for FileSize.
LimitedRun runLimited(QProcess &process, HelperLimit limit, qint64 fileSizeBytes,
    const QString &program, const QStringList &args);
