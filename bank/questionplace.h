#pragma once

#include "bank/paper.h"
#include "bank/questionrecord.h"

#include <QString>

namespace kivola {

// The exam's six parts, 第1問 to 第6問: テーマ史, 古代, 中世, 近世, 近代, 近現代.
inline constexpr int PartCount = 6;

// The part (1..6) of a statement, or 0 when its field names none.
int partOf(const QuestionRecord &record);

// The paper of a statement as its index in the bank order, Papers, or -1 when it matches none.
int paperIndexOf(const QuestionRecord &record);

// "第1問 テーマ史" for part 1; the empty text for a part that does not exist.
QString PartLabel(int part);

// "2003年度本試験" for the paper at index 0 of the bank order; the empty text past the end.
QString PaperLabel(int paperIndex);

} // namespace kivola
