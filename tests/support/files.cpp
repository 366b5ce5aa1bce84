#include "files.h"

#include "runtime/cp1251.h"

#include <QFile>

#include <gtest/gtest.h>

QByteArray cp1251Lines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += toCp1251(line) + "\r\n";
    return bytes;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ADD_FAILURE() << "Cannot write " << path.toStdString();
        return;
    }
    file.write(bytes);
}

void writeLines(const QString& path, const QStringList& lines)
{
    writeBytes(path, cp1251Lines(lines));
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList readLines(const QString& path)
{
    QString text = fromCp1251(readBytes(path));
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    if (text.isEmpty())
        return {};
    return text.split(QStringLiteral("\r\n"));
}
