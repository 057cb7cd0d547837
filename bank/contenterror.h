#pragma once

#include <QString>

namespace kivola {

// A fault in a paper file, precise enough for the author to find it: file, line (1-based, 0 for
// the file as a whole) and the field's header caption.
struct ContentError
{
    QString file;
    int line = 0;
    QString field;
    QString message;

    QString toString() const
    {
        QString where = file;
        if (line > 0)
            where += QLatin1Char(':') + QString::number(line);
        if (!field.isEmpty())
            where += QLatin1Char(' ') + field;
        return where + QLatin1String(": ") + message;
    }
};

} // namespace kivola
