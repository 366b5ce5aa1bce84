#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The files we share with the authoring tool are in Windows-1251; Qt has no
// built-in codec for it without ICU, so the table lives here.
QString fromCp1251(QByteArrayView bytes);
// Characters the code page lacks become "?", as Windows writes them.
QByteArray toCp1251(const QString& text);

// Upper case of the code page's letters: Latin, Cyrillic with Ё and the other
// Cyrillic letters of 1251. Everything else stays as it is.
QString upperCase(const QString& text);
