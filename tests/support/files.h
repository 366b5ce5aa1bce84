#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes the lines in Windows-1251, each ended by CR LF.
void writeLines(const QString& path, const QStringList& lines);
// Writes the bytes as they are.
void writeBytes(const QString& path, const QByteArray& bytes);
// The bytes of a file; empty when it cannot be read.
QByteArray readBytes(const QString& path);
// The lines of a Windows-1251 file with CR LF line ends, decoded.
QStringList readLines(const QString& path);
// The lines encoded and joined with CR LF after each, as the files hold them.
QByteArray cp1251Lines(const QStringList& lines);
