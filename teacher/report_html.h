#pragma once

#include "report/analysis.h"

#include <QByteArray>
#include <QDateTime>

// The report as one web page in Russian that needs nothing else: styles and
// charts inside, no scripts, no network; readable on the screen and printed on
// A4, each class from a new page. made: when it was made.
QByteArray reportHtml(const Report& report, const QDateTime& made);

// A file named in the report: within the folder read that holds it.
QString shownPath(const QString& file, const QStringList& folders);
