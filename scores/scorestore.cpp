#include "scores/scorestore.h"

#include "bank/lenientnumber.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <cstdlib>
#include <limits>

namespace kivola {

namespace {

constexpr const char *Section = "MAIN";
constexpr const char *TestsKey = "NO";
constexpr const char *PointsKey = "GETS";
constexpr const char *MissingValue = "0";
constexpr const char *LockSuffix = ".lock";
constexpr unsigned long LockRetryMs = 2;
// Windows refuses to replace a file that another program has open: a virus scanner looking at
// the file just written, or a copy of this program that gave up waiting for the lock and is
// reading. Such a hold passes within moments, so there a failed save is tried again for a
// while; elsewhere a failed save fails for good.
#ifdef Q_OS_WIN
constexpr int SaveRetryMs = 2000;
#else
constexpr int SaveRetryMs = 0;
#endif
constexpr unsigned long SaveRetryPauseMs = 20;
// A copy of the program writes its name into a new lock file at once; one that still names
// nobody after this long never will.
constexpr qint64 UnnamedLockGraceMs = 1000;

// A lock file that names no owner (empty, unreadable, or no lock of ours at all) protects
// nothing: left alone it would hold up every save for the full wait.
bool isOwnerlessLock(QLockFile &lock, const QString &path)
{
    qint64 pid = 0;
    QString hostName;
    QString appName;
    if (lock.getLockInfo(&pid, &hostName, &appName))
        return false;
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
    return std::abs(age) > UnnamedLockGraceMs;
}

std::int32_t saturatingAdd(std::int32_t counter, std::int32_t amount)
{
    constexpr std::int32_t top = std::numeric_limits<std::int32_t>::max();
    return counter > top - amount ? top : counter + amount;
}

} // namespace

ScoreStore::ScoreStore(QString path)
    : m_file(std::move(path))
{ }

QString ScoreStore::pathIn(const QString &folder)
{
    return QDir(folder).filePath(QString::fromLatin1(FileName));
}

QString ScoreStore::lockPath() const
{
    return path() + QLatin1String(LockSuffix);
}

std::int32_t ScoreStore::load(const char *key) const
{
    return parseValue(m_file.readString(Section, key, MissingValue, ValueBufferSize));
}

void ScoreStore::LoadScores()
{
    m_testsTaken = load(TestsKey);
    m_totalPoints = load(PointsKey);
}

bool ScoreStore::SaveScores() const
{
    return m_file.writeStrings(
        Section, {{TestsKey, formatValue(m_testsTaken)}, {PointsKey, formatValue(m_totalPoints)}});
}

bool ScoreStore::recordTest(std::int16_t score)
{
    QLockFile lock(lockPath());
    lock.setStaleLockTime(StaleLockMs);
    // QLockFile's own waiting doubles its pause up to seconds and can lose every round to a
    // copy that saves in a loop; short even pauses give both a fair chance.
    const QDeadlineTimer deadline(LockTimeoutMs);
    while (
        !lock.tryLock(0) && lock.error() == QLockFile::LockFailedError && !deadline.hasExpired()) {
        if (isOwnerlessLock(lock, lockPath()))
            lock.removeStaleLockFile();
        else
            QThread::msleep(LockRetryMs);
    }
    // Each try starts from the file as it is then, in case another copy saved meanwhile.
    const QDeadlineTimer saveDeadline(SaveRetryMs);
    for (;;) {
        LoadScores();
        addTest(score);
        if (SaveScores())
            return true;
        if (saveDeadline.hasExpired())
            return false;
        QThread::msleep(SaveRetryPauseMs);
    }
}

void ScoreStore::addTest(std::int16_t score)
{
    m_testsTaken = saturatingAdd(m_testsTaken, 1);
    m_totalPoints = saturatingAdd(m_totalPoints, qMax<std::int32_t>(score, 0));
}

QByteArray ScoreStore::formatValue(std::int32_t value)
{
    const QByteArray digits = QByteArray::number(value);
    return value < 0 ? digits : ' ' + digits;
}

std::int32_t ScoreStore::parseValue(const QByteArray &value)
{
    const std::optional<std::int32_t> number
        = toInt32(readLenientNumber(QString::fromLatin1(value)));
    return number && *number >= 0 ? *number : 0;
}

} // namespace kivola
