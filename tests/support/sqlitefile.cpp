#include "tests/support/sqlitefile.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString ConnectionName = QStringLiteral("kivola-test-direct");

// Opens a connection of its own for each call and closes it again, so nothing is held between
// the steps of a test.
template <typename Use> void withDatabase(const QString &path, Use use)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), ConnectionName);
        db.setDatabaseName(path);
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
        QSqlQuery query(db);
        use(query);
    }
    QSqlDatabase::removeDatabase(ConnectionName);
}

} // namespace

QVariant sqliteValue(const QString &path, const QString &statement)
{
    QVariant value;
    withDatabase(path, [&](QSqlQuery &query) {
        if (query.exec(statement) && query.next())
            value = query.value(0);
    });
    return value;
}

void sqliteRun(const QString &path, const QStringList &statements)
{
    withDatabase(path, [&](QSqlQuery &query) {
        for (const QString &statement : statements)
            QVERIFY2(query.exec(statement), qPrintable(query.lastError().text()));
    });
}
