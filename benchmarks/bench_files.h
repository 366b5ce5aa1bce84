#pragma once

#include "runtime/cp1251.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

// Writes the lines as the authoring tool does, in Windows-1251 with CR LF; a
// benchmark that cannot lay out its files stops at once.
inline void writeLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += toCp1251(line) + "\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}
