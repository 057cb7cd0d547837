#pragma once

#include <QDate>
#include <QList>

namespace kivola {

// What the memory model says of each statement, as plain values for the browser: the record's
// tables know nothing of the model, so whoever opens the browser works these out and hands them
// in. Both lists are by bank id, entry 0 unused; a statement past their end reads as unseen.
struct StatementMemory
{
    // The chance that the statement is known now, 0..1.
    QList<double> retrievability;
    // The day it next comes up for review; invalid for a statement never answered.
    QList<QDate> due;
    // The study day the figures were worked out on, so that a date due by then reads as today.
    QDate today;

    bool isSeen(int id) const { return due.value(id).isValid(); }
};

} // namespace kivola
