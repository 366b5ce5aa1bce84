#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Error: a pupil would be stopped or could not score. Warning: it works, but is
// probably not what the author meant. Note: worth knowing, nothing to mend.
enum class Severity { Error, Warning, Note };

// One thing the checker found in a file.
struct Finding {
    QString file;
    int line = 0; // 0: the file as a whole
    Severity severity = Severity::Error;
    QString code; // a stable name scripts can rely on: "key.flag-digit"
    QString message;

    friend bool operator==(const Finding&, const Finding&) = default;
};

// «ошибка», «предупреждение», «замечание»: as the findings are written for people.
QString severityWord(Severity severity);
// "error", "warning", "note": as the JSON output names them.
QString severityName(Severity severity);

// "path:14: ошибка: message", or "path: ошибка: message" for a whole file: the
// compilers' form, so that editors jump to the place.
QString findingText(const Finding& finding);
// A JSON array of {file, line, severity, code, message}; line is null for a whole file.
QByteArray findingsJson(const std::vector<Finding>& findings);

// The noun in the form the number asks for: 1 тест, 2 теста, 5 тестов.
QString countedNoun(int count, const QString& one, const QString& few, const QString& many);
