#pragma once

#include "scores/profilefile.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace kivola {

// The running record: tests completed and points earned over all of them, kept in section
// "MAIN" of the settings file as "NO= 3" and "GETS= 160". The counters in memory are a cache of
// the file, loaded afresh whenever figures are needed.
class ScoreStore
{
public:
    static constexpr const char *FileName = "kivola.ini";
    // Profile reads go through a 255-character buffer: the first 254 characters of a value count.
    static constexpr int ValueBufferSize = 255;

    explicit ScoreStore(QString path);

    static QString pathIn(const QString &folder);

    const QString &path() const { return m_file.path(); }
    // The lock file recordTest holds while it saves.
    QString lockPath() const;
    std::int32_t testsTaken() const { return m_testsTaken; }
    std::int32_t totalPoints() const { return m_totalPoints; }

    // How long a save waits for another running copy of the program to finish its own save,
    // and the age at which a lock left by a copy on another machine counts as abandoned. A lock
    // left by a crashed copy on this machine is taken over at once.
    static constexpr int LockTimeoutMs = 3000;
    static constexpr int StaleLockMs = 10000;

    void LoadScores();
    // Writes "NO", then "GETS", in one replacement of the file, so the two always match.
    // Returns false when the file could not be written; the caller carries on, the old file
    // stays as it was.
    bool SaveScores() const;

    // Adds one completed test. A counter at the top of its range stays there instead of
    // wrapping round to a negative number.
    void addTest(std::int16_t score);

    // Adds one completed test to the record on disk: reloads the counters, adds the test and
    // saves, while holding a lock file beside the settings file, so that tests another running
    // copy saved since this one loaded are kept. When the lock cannot be had in time the test is
    // saved all the same: losing this test for certain is worse than the small chance of
    // overwriting another copy's. On Windows, where a file another program holds open cannot
    // be replaced, a failed save is tried again for a short while before it counts as failed.
    bool recordTest(std::int16_t score);

    // " 3" for 3, "-3" for -3: the form earlier versions wrote and read.
    static QByteArray formatValue(std::int32_t value);
    // The lenient number reading, rounded half to even; a value that is negative or does not
    // fit a signed 32-bit counter reads as 0, like text that is no number.
    static std::int32_t parseValue(const QByteArray &value);

private:
    std::int32_t load(const char *key) const;

    ProfileFile m_file;
    std::int32_t m_testsTaken = 0;
    std::int32_t m_totalPoints = 0;
};

} // namespace kivola
