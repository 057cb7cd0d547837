#include "scorestore.h"

#include "lenientnumber.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLockFile>
#include <QThread>

#include <limits>

namespace kivola {

namespace {

constexpr const char *Section = "MAIN";
constexpr const char *TestsKey = "NO";
constexpr const char *PointsKey = "GETS";
constexpr const char *MissingValue = "0";
constexpr const char *LockSuffix = ".lock";
constexpr unsigned long LockRetryMs = 2;

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
    while (!lock.tryLock(0) && lock.error() == QLockFile::LockFailedError && !deadline.hasExpired())
        QThread::msleep(LockRetryMs);
    LoadScores();
    addTest(score);
    return SaveScores();
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
