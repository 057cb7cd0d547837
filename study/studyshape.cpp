#include "study/studyshape.h"

#include <QAtomicInteger>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace kivola {

bool StudyShape::holds(const StudyShape &expected) const
{
    for (auto table = expected.tables.cbegin(); table != expected.tables.cend(); ++table) {
        if (tables.value(table.key()) != table.value())
            return false;
    }
    for (const QString &index : expected.indexes) {
        if (!indexes.contains(index))
            return false;
    }
    return true;
}

std::optional<StudyShape> StudyShape::read(QSqlQuery &query)
{
    // SQLite's own objects, such as the indexes behind primary keys, are left out.
    if (!query.exec(QStringLiteral("SELECT type, name FROM sqlite_master WHERE type IN ('table', "
                                   "'index') AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'")))
        return std::nullopt;
    StudyShape shape;
    QStringList tableNames;
    while (query.next()) {
        const QString name = query.value(1).toString();
        if (query.value(0).toString() == QLatin1String("table"))
            tableNames.append(name);
        else
            shape.indexes.append(name);
    }
    if (query.lastError().isValid())
        return std::nullopt;
    for (const QString &table : std::as_const(tableNames)) {
        if (!query.prepare(QStringLiteral("SELECT name, type, \"notnull\", dflt_value, pk FROM "
                                          "pragma_table_info(?)")))
            return std::nullopt;
        query.addBindValue(table);
        if (!query.exec())
            return std::nullopt;
        QStringList columns;
        while (query.next()) {
            QStringList column;
            for (int field = 0; field < query.record().count(); ++field)
                column.append(query.value(field).toString());
            columns.append(column.join(QLatin1Char(' ')));
        }
        if (query.lastError().isValid())
            return std::nullopt;
        shape.tables.insert(table, columns);
    }
    query.finish();
    return shape;
}

std::optional<StudyShape> StudyShape::defined(const StudySchema &schema)
{
    static QAtomicInteger<quint64> counter;
    const QString name
        = QStringLiteral("kivola-study-definition-%1").arg(counter.fetchAndAddRelaxed(1));
    std::optional<StudyShape> shape;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QStringLiteral(":memory:"));
        if (db.open()) {
            QSqlQuery query(db);
            bool created = true;
            for (const QString &statement : schema.tables)
                created = created && query.exec(statement);
            if (created)
                shape = read(query);
        }
    }
    QSqlDatabase::removeDatabase(name);
    return shape;
}

} // namespace kivola
