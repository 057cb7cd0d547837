#include "study/paperclaim.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLockFile>

namespace kivola {

namespace {

const char *const LockInfix = ".paper-";
const char *const LockSuffix = ".lock";
// QLockFile writes its owner into a new lock file at once; one that still names nobody after
// this long never will.
constexpr qint64 UnnamedLockGraceMs = 1000;

// A lock file naming no owner (empty, or not a lock file at all) protects nothing, and with no
// age limit it would keep the paper from every copy for good.
bool isOwnerless(const QLockFile &lock, const QString &path)
{
    qint64 pid = 0;
    QString hostName;
    QString appName;
    if (lock.getLockInfo(&pid, &hostName, &appName))
        return false;
    const QFileInfo info(path);
    return info.exists()
        && std::abs(info.lastModified().msecsTo(QDateTime::currentDateTime())) > UnnamedLockGraceMs;
}

} // namespace

PaperClaim::PaperClaim(std::unique_ptr<QLockFile> lock, qint64 attemptId)
    : m_lock(std::move(lock))
    , m_attemptId(attemptId)
{ }

PaperClaim::PaperClaim(PaperClaim &&) noexcept = default;
PaperClaim &PaperClaim::operator=(PaperClaim &&) noexcept = default;
PaperClaim::~PaperClaim() = default;

QString PaperClaim::lockPath(const QString &recordPath, qint64 attemptId)
{
    return recordPath + QLatin1String(LockInfix) + QString::number(attemptId)
        + QLatin1String(LockSuffix);
}

std::optional<PaperClaim> PaperClaim::take(const QString &recordPath, qint64 attemptId)
{
    const QString path = lockPath(recordPath, attemptId);
    auto lock = std::make_unique<QLockFile>(path);
    // A paper may stay open for hours: only a lock whose copy is gone is stale, never an old one.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError || !isOwnerless(*lock, path)
            || !lock->removeStaleLockFile() || !lock->tryLock(0))
            return std::nullopt;
    }
    return PaperClaim(std::move(lock), attemptId);
}

bool PaperClaim::isFree(const QString &recordPath, qint64 attemptId)
{
    return take(recordPath, attemptId).has_value();
}

void PaperClaim::release()
{
    m_lock.reset();
}

} // namespace kivola
