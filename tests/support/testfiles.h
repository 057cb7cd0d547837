#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Whole-file reads and writes for the tests' scratch settings files.

// The file's bytes, or nothing when it cannot be read.
QByteArray fileContent(const QString &path);

// Writes the bytes, failing the running test when that is not possible.
void writeFile(const QString &path, const QByteArray &content);

// Every entry of the folder, hidden files, pipes and sockets included, so that nothing left behind
// goes unseen.
QStringList entriesOf(const QString &folder);
