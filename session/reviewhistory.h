#pragma once

#include "memory/review.h"
#include "study/studyfigures.h"

#include <QList>
#include <QTimeZone>

#include <vector>

namespace kivola {

// The chance of a right answer by luck behind one recorded answer: 0.5 for a ○/× answer of a
// test, practice or the daily review, luckyChance(format) for a judgment from an item, 0 for
// "わからない" (nothing was guessed).
double GuessChanceOf(const StatementEvent &event);

// The record's history as the memory model reads it, in the same order, each answer on its
// study day in the given zone.
std::vector<Review> ReviewsFromHistory(const QList<StatementEvent> &history, const QTimeZone &zone);

} // namespace kivola
