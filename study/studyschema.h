#pragma once

#include <QList>
#include <QStringList>

namespace kivola {

// The tables of the learning record at one version, and the way there from every earlier one.
// A new file is given the tables; an older file is taken through the upgrades still missing
// and must then hold the same tables with the same columns and indexes as a new one.
struct StudySchema
{
    // The statements that give an empty file the tables of version(): the one definition of
    // what a record of this version holds.
    QStringList tables;
    // Entry n takes a record from version n + 1 to n + 2.
    QList<QStringList> upgrades;

    int version() const { return int(upgrades.size()) + 1; }

    // The tables of this program.
    static StudySchema current();
};

} // namespace kivola
