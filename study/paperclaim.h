#pragma once

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

namespace kivola {

// A mock paper under way belongs to the copy of the program that has it open: two copies may run
// at once, and each must keep to its own paper. The claim is a lock file beside the record
// (kivola.sqlite.paper-<id>.lock), held as long as this object lives or until released. A
// claim whose copy is gone (crashed, killed, or before the machine restarted) is taken over;
// one that a running copy holds never is, however long it has been held.
class PaperClaim
{
public:
    PaperClaim(PaperClaim &&) noexcept;
    PaperClaim &operator=(PaperClaim &&) noexcept;
    ~PaperClaim();

    static QString lockPath(const QString &recordPath, qint64 attemptId);
    // No value when another running copy holds the paper, or the lock file cannot be written.
    static std::optional<PaperClaim> take(const QString &recordPath, qint64 attemptId);
    // Whether take() would succeed just now, for offering the paper; it may be taken by another
    // copy before this one takes it.
    static bool isFree(const QString &recordPath, qint64 attemptId);

    qint64 attemptId() const { return m_attemptId; }
    bool isHeld() const { return m_lock != nullptr; }
    // Lets the paper go before the claim's end, when the paper ends or its window closes.
    void release();

private:
    PaperClaim(std::unique_ptr<QLockFile> lock, qint64 attemptId);

    std::unique_ptr<QLockFile> m_lock;
    qint64 m_attemptId = 0;
};

} // namespace kivola
