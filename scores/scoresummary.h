#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace kivola {

class ScoreStore;

// The figures of the score report. Rate, rank and comment exist only once a test has been
// taken; the level only for a rank the level table knows.
struct ScoreSummary
{
    QString countText;
    QString totalText;
    std::optional<QString> rateText;
    std::optional<int> rank;
    std::optional<QString> comment;
    std::optional<QString> level;

    static ScoreSummary of(std::int32_t testsTaken, std::int32_t totalPoints);
};

// Reloads the counters from the settings file, then computes the report from them.
ScoreSummary ReportText(ScoreStore &store);

// The light-hearted level for a report rank 0..10; any other rank gives the empty text.
QString LevelFor(int rank);

} // namespace kivola
