#pragma once

#include "profilefile.h"

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
    std::int32_t testsTaken() const { return m_testsTaken; }
    std::int32_t totalPoints() const { return m_totalPoints; }

    void LoadScores();
    // Writes "NO", then "GETS". Returns false when the file could not be written; the caller
    // carries on, the old file stays as it was.
    bool SaveScores() const;

    // Adds one completed test. A counter at the top of its range stays there instead of
    // wrapping round to a negative number.
    void addTest(std::int16_t score);

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
