#pragma once

#include "paper.h"
#include "questionbank.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace kivola {

// The exam's six parts: テーマ史, 古代, 中世, 近世, 近代, 近現代.
inline constexpr int PartCount = 6;

// Which parts and papers a practice by era or paper covers: a statement belongs to it when both
// its part and its paper are chosen.
struct PracticeChoice
{
    // parts[0] is 第1問; papers follow the bank order (2003年度本試験 first).
    std::array<bool, PartCount> parts {};
    std::array<bool, Papers.size()> papers {};

    static PracticeChoice everything();

    // The ids of the bank's statements that the choice covers, in bank order.
    QList<int> idsIn(const QuestionBank &bank) const;

    // A compact form to remember the choice by, "parts=1,2;papers=0,5"; text that is not such a
    // form gives nothing.
    QString toText() const;
    static std::optional<PracticeChoice> fromText(const QString &text);

    bool operator==(const PracticeChoice &) const = default;
};

// The part (1..6) of a statement, or 0 when its field holds none.
int partOf(const QuestionRecord &record);

// The paper of a statement as its index in the bank order, or -1 when it matches none.
int paperIndexOf(const QuestionRecord &record);

} // namespace kivola
