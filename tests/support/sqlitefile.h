#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// Direct access to a scratch SQLite file, past the code under test: to look at what it wrote
// or to prepare a file it has to cope with.

// The first column of the first row, or an invalid value when the statement fails.
QVariant sqliteValue(const QString &path, const QString &statement);

// Runs the statements in order, failing the running test at the first that fails.
void sqliteRun(const QString &path, const QStringList &statements);
