#pragma once

#include "quiz/examitem.h"

#include <QString>

namespace kivola {

// "①" to "⑧"; the plain number past the circled ones.
QString circledNumber(int number);

// The line above an item's statements that says what to choose, in the exam's plain style.
QString itemInstruction(ItemFormat format);

// The mark in front of the statement at `index` (from 0): "①"–"④" in a choice of four, "X", "Y",
// "Z" in a combination, nothing for a single statement.
QString statementMarker(ItemFormat format, int index);

// The label of an option as the exam prints it: "③" in a choice of four, "②　X正　Y誤" in a
// combination, "○" or "×" for a single statement.
QString optionLabel(const ExamItem &item, int option);

// An option as a screen reader should say it, in full: "2番、Xは正しい、Yは誤り".
QString spokenOption(const ExamItem &item, int option);

// Where an item comes from: "2003年度本試験　第2問　問3".
QString itemSource(const ExamItem &item);

} // namespace kivola
