#include "report/report_csv.h"

#include <QStringList>

#include <cmath>

namespace {

// A text a pupil typed is quoted where RFC 4180 needs it; one that a spreadsheet
// would take for a formula («=…», «+…», «-…», «@…») gets an apostrophe first.
QString textField(const QString& text)
{
    QString field = text;
    if (!field.isEmpty() && QStringLiteral("=+-@\t\r").contains(field.front()))
        field.prepend(u'\'');
    if (field.contains(u';') || field.contains(u'"') || field.contains(u'\r') || field.contains(u'\n')) {
        field.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        field = u'"' + field + u'"';
    }
    return field;
}

QByteArray table(const QStringList& header, const std::vector<QStringList>& rows)
{
    QByteArray bytes("\xEF\xBB\xBF");
    bytes += header.join(u';').toUtf8() + "\r\n";
    for (const QStringList& row : rows)
        bytes += row.join(u';').toUtf8() + "\r\n";
    return bytes;
}

QString flagsText(const std::vector<QuestionFlag>& flags)
{
    QStringList words;
    for (const QuestionFlag flag : flags)
        words << questionFlagText(flag);
    return words.join(QStringLiteral(", "));
}

} // namespace

QString decimalComma(double value, int decimals)
{
    // No "-0,00" for a small negative number.
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0;
    return QString::number(value, 'f', decimals).replace(u'.', u',');
}

QByteArray pupilsCsv(const Report& report)
{
    std::vector<QStringList> rows;
    for (const ReportNode& node : report.nodes)
        for (const PupilRow& row : node.pupils)
            rows.push_back({textField(node.classPart), textField(node.topic), textField(node.variant),
                            textField(row.entry.pupil), QString::number(row.entry.points),
                            QString::number(row.entry.mark), QString(row.entry.percentText).replace(u'.', u','),
                            row.entry.finishedText});
    return table({QStringLiteral("Класс"), QStringLiteral("Тема"), QStringLiteral("Вариант"), QStringLiteral("Ученик"),
                  QStringLiteral("Баллы"), QStringLiteral("Оценка"), QStringLiteral("Процент"),
                  QStringLiteral("Окончание")},
                 rows);
}

QByteArray questionsCsv(const Report& report)
{
    std::vector<QStringList> rows;
    for (const ReportNode& node : report.nodes)
        for (const QuestionStats& question : node.questions)
            rows.push_back({textField(node.classPart), textField(node.topic), textField(node.variant),
                            textField(question.text), QString::number(question.asked),
                            QString::number(question.right), decimalComma(question.facility, 1),
                            question.discrimination ? decimalComma(*question.discrimination, 2) : QString(),
                            textField(flagsText(question.flags))});
    return table({QStringLiteral("Класс"), QStringLiteral("Тема"), QStringLiteral("Вариант"), QStringLiteral("Вопрос"),
                  QStringLiteral("Задан"), QStringLiteral("Верно"), QStringLiteral("Решаемость, %"),
                  QStringLiteral("Различение"), QStringLiteral("Отметки")},
                 rows);
}
