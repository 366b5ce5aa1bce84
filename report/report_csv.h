#pragma once

#include "report/analysis.h"

#include <QByteArray>

// Tables for spreadsheets as a Russian-language one opens them with a double-click:
// UTF-8 with a byte-order mark, ";" between fields, quotes as RFC 4180 has them,
// CR LF after each row and a decimal comma.

// pupils.csv: class; topic; variant; pupil; points; mark; percentage; finished.
QByteArray pupilsCsv(const Report& report);
// questions.csv: class; topic; variant; question; asked; right; facility; discrimination; flags.
QByteArray questionsCsv(const Report& report);

// A number with a decimal comma and the digits after it: 66.66 -> "66,66" (2), -0.125 -> "-0,13" (2).
QString decimalComma(double value, int decimals);
