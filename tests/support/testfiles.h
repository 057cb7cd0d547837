#pragma once

#include <QByteArray>
#include <QString>

// Whole-file reads and writes for the tests' scratch settings files.

// The file's bytes, or nothing when it cannot be read.
QByteArray fileContent(const QString &path);

// Writes the bytes, failing the running test when that is not possible.
void writeFile(const QString &path, const QByteArray &content);
