#pragma once

#include <QtGlobal>

namespace kivola {

// One answer as the memory model sees it: which statement, on which study day (StudyDay), and
// whether it was right. guessChance is the chance of a right answer without knowing the
// statement: 0.5 for a ○/× judgment, less for a choice among more.
struct Review
{
    int statementId = 0;
    qint64 studyDay = 0;
    bool right = false;
    double guessChance = 0.5;
};

// How answers are read: Plain takes every right answer as known (the usual model, guessChance
// ignored); GuessAware allows for right answers by luck.
enum class GuessModel
{
    Plain,
    GuessAware
};

} // namespace kivola
