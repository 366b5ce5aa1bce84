#include "check/finding.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QString severityWord(Severity severity)
{
    switch (severity) {
    case Severity::Error: return QStringLiteral("ошибка");
    case Severity::Warning: return QStringLiteral("предупреждение");
    case Severity::Note: return QStringLiteral("замечание");
    }
    return {};
}

QString severityName(Severity severity)
{
    switch (severity) {
    case Severity::Error: return QStringLiteral("error");
    case Severity::Warning: return QStringLiteral("warning");
    case Severity::Note: return QStringLiteral("note");
    }
    return {};
}

QString findingText(const Finding& finding)
{
    const QString place = finding.line > 0 ? finding.file + u':' + QString::number(finding.line) : finding.file;
    return place + QStringLiteral(": ") + severityWord(finding.severity) + QStringLiteral(": ") + finding.message;
}

QByteArray findingsJson(const std::vector<Finding>& findings)
{
    QJsonArray array;
    for (const Finding& finding : findings) {
        array.append(QJsonObject{
            {QStringLiteral("file"), finding.file},
            {QStringLiteral("line"), finding.line > 0 ? QJsonValue(finding.line) : QJsonValue(QJsonValue::Null)},
            {QStringLiteral("severity"), severityName(finding.severity)},
            {QStringLiteral("code"), finding.code},
            {QStringLiteral("message"), finding.message},
        });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

QString countedNoun(int count, const QString& one, const QString& few, const QString& many)
{
    const int lastTwo = count % 100;
    const int last = count % 10;
    if (last == 1 && lastTwo != 11)
        return one;
    if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        return few;
    return many;
}
