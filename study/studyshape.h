#pragma once

#include "study/studyschema.h"

#include <QMap>
#include <QStringList>

#include <optional>

class QSqlQuery;

namespace kivola {

// What tells a learning record of ours: its tables with their columns, and its indexes.
struct StudyShape
{
    // Every column as its name, type, NOT NULL, default and place in the primary key.
    QMap<QString, QStringList> tables;
    QStringList indexes;

    // Tables and indexes of the file's own beside ours do no harm.
    bool holds(const StudyShape &expected) const;

    // The shape of the database behind the query; no value when it cannot be read, and the
    // query then holds the error.
    static std::optional<StudyShape> read(QSqlQuery &query);
    // What a new file given the schema's tables holds, read from the definition itself in a
    // database in memory, so that the check of a file cannot drift apart from the definition. No
    // value when SQLite rejects the definition.
    static std::optional<StudyShape> defined(const StudySchema &schema);
};

} // namespace kivola
