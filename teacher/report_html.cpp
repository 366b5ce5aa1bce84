#include "teacher/report_html.h"

#include "teacher/report_charts.h"

#include "report/report_csv.h"

#include <QDir>

namespace {

// The two distributions side by side on a page; the questions across it.
const QSize kSmallChart(420, 250);
const QSize kWideChart(700, 250);

const char kStyle[] = R"(
body { font-family: "Liberation Sans", Arial, sans-serif; font-size: 10.5pt; color: #222; margin: 0 auto; max-width: 1100px; padding: 0 16px; }
h1 { font-size: 18pt; margin: 12px 0 4px; }
h2 { font-size: 15pt; border-bottom: 2px solid #4a7ab5; padding-bottom: 2px; margin-top: 24px; }
h3 { font-size: 12.5pt; margin: 18px 0 6px; }
h4 { font-size: 11pt; margin: 12px 0 4px; }
table { border-collapse: collapse; margin: 4px 0 10px; }
th, td { border: 1px solid #bbb; padding: 2px 6px; vertical-align: top; }
th { background: #eef2f7; text-align: left; }
td.n { text-align: right; white-space: nowrap; }
tr.flagged td { background: #fbeee8; }
.note { color: #555; font-size: 9.5pt; }
.warn { color: #a33; }
.charts { display: flex; flex-wrap: wrap; gap: 8px 24px; align-items: flex-start; }
.chart svg { width: 84mm; max-width: 100%; height: auto; }
.chart.wide svg { width: 172mm; }
table.questions { width: 100%; }
table.questions td:nth-child(2) { width: 50%; }
table.questions td:last-child { min-width: 8em; }
thead { display: table-header-group; }
@page { size: A4; margin: 14mm 12mm; }
@media print {
  body { max-width: none; padding: 0; font-size: 9.5pt; }
  section.class { break-before: page; }
  h2, h3, h4 { break-after: avoid; }
  tr, .chart { break-inside: avoid; }
}
)";

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// Numbers as texts, so that each row is filled in one pass: a «%1» in a pupil's name stays as it is.
QString n(std::int64_t number)
{
    return QString::number(number);
}

QString percentShown(const QString& percentText)
{
    return QString(percentText).replace(u'.', u',') + QStringLiteral("\u00A0%");
}

QString share(std::int64_t count, std::int64_t total)
{
    return total > 0 ? decimalComma(100.0 * double(count) / double(total), 1) + QStringLiteral("\u00A0%") : QString();
}

QString anchor(const QString& classPart)
{
    return QStringLiteral("class-") + QString::fromLatin1(classPart.toUtf8().toHex());
}

QString quizTitle(const ReportNode& node)
{
    return QStringLiteral("«%1», вариант %2").arg(escaped(node.topic), escaped(node.variant));
}

QString average(const ReportNode& node)
{
    if (node.pupils.empty())
        return {};
    double sum = 0;
    for (const PupilRow& row : node.pupils)
        sum += row.entry.percent;
    return decimalComma(sum / double(node.pupils.size()), 1) + QStringLiteral("\u00A0%");
}

void writeOverview(QString& html, const Report& report)
{
    html += QStringLiteral("<h2>Сводка</h2>\n<table><thead><tr><th>Класс</th><th>Тема, вариант</th><th>Учеников</th>"
                           "<th>«5»</th><th>«4»</th><th>«3»</th><th>«2»</th><th>Средний процент</th>"
                           "<th>Протоколов</th></tr></thead><tbody>\n");
    for (const ReportNode& node : report.nodes)
        html += QStringLiteral("<tr><td><a href=\"#%1\">%2</a></td><td>%3</td><td class=\"n\">%4</td><td class=\"n\">%5</td>"
                               "<td class=\"n\">%6</td><td class=\"n\">%7</td><td class=\"n\">%8</td>"
                               "<td class=\"n\">%9</td><td class=\"n\">%10</td></tr>\n")
                    .arg(anchor(node.classPart), escaped(node.classPart), quizTitle(node), n(qint64(node.pupils.size())),
                         n(node.marks.count5), n(node.marks.count4), n(node.marks.count3), n(node.marks.count2),
                         average(node), n(node.protocols));
    html += QStringLiteral("</tbody></table>\n");
}

void writePupils(QString& html, const ReportNode& node)
{
    html += QStringLiteral("<h4>Ученики</h4>\n");
    if (node.pupils.empty()) {
        html += QStringLiteral("<p class=\"note\">Журнала нет: есть только протоколы.</p>\n");
        return;
    }
    const bool again = std::any_of(node.pupils.begin(), node.pupils.end(), [](const PupilRow& row) { return row.attempts > 1; });
    html += QStringLiteral("<table><thead><tr><th>Ученик</th><th>Баллы</th><th>Процент</th><th>Оценка</th>"
                           "<th>Окончание</th>%1</tr></thead><tbody>\n")
                .arg(again ? QStringLiteral("<th>Попытка</th>") : QString());
    for (const PupilRow& row : node.pupils) {
        html += QStringLiteral("<tr><td>%1</td><td class=\"n\">%2</td><td class=\"n\">%3</td><td class=\"n\">%4</td>"
                               "<td class=\"n\">%5</td>")
                    .arg(escaped(row.entry.pupil), n(row.entry.points), percentShown(row.entry.percentText),
                         n(row.entry.mark), escaped(row.entry.finishedText));
        if (again)
            html += row.attempts > 1 ? QStringLiteral("<td class=\"n\">%1 из %2</td>").arg(row.attempt).arg(row.attempts)
                                     : QStringLiteral("<td></td>");
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</tbody></table>\n");
}

void writeDistributions(QString& html, const ReportNode& node)
{
    const MarkCounts& marks = node.marks;
    const std::int64_t total = marks.total();
    html += QStringLiteral("<h4>Распределение оценок</h4>\n<div class=\"charts\"><table><thead><tr><th>Оценка</th>"
                           "<th>Учеников</th><th>Доля</th></tr></thead><tbody>\n");
    const std::pair<int, std::int64_t> rows[] = {{5, marks.count5}, {4, marks.count4}, {3, marks.count3}, {2, marks.count2}};
    for (const auto& [mark, count] : rows)
        html += QStringLiteral("<tr><td class=\"n\">%1</td><td class=\"n\">%2</td><td class=\"n\">%3</td></tr>\n")
                    .arg(n(mark), n(count), share(count, total));
    html += QStringLiteral("<tr><th>Всего</th><td class=\"n\">%1</td><td></td></tr></tbody></table>\n").arg(total);
    html += QStringLiteral("<div class=\"chart\">") + QString::fromUtf8(chartSvg(markChart(node), kSmallChart))
            + QStringLiteral("</div>\n<div class=\"chart\">")
            + QString::fromUtf8(chartSvg(percentChart(node), kSmallChart)) + QStringLiteral("</div></div>\n");
}

QString flagsText(const QuestionStats& question)
{
    QStringList words;
    for (const QuestionFlag flag : question.flags)
        words << questionFlagText(flag);
    return words.join(QStringLiteral(", "));
}

void writeQuestions(QString& html, const ReportNode& node)
{
    html += QStringLiteral("<h4>Вопросы</h4>\n");
    if (node.questions.empty()) {
        html += QStringLiteral("<p class=\"note\">Протоколов нет: разбор вопросов не из чего составить.</p>\n");
        return;
    }
    html += QStringLiteral("<p class=\"note\">По протоколам: %1. Сначала вопросы, что хуже всего различают "
                           "знающих и незнающих.</p>\n")
                .arg(node.protocols);
    if (std::any_of(node.questions.begin(), node.questions.end(), [](const QuestionStats& q) { return q.sameText > 1; }))
        html += QStringLiteral("<p class=\"note\">Вопросы теста с одинаковым текстом учтены вместе, как один: "
                               "верным он считается, только если верны все вопросы с этим текстом в протоколе "
                               "(отмечены «×N»).</p>\n");
    html += QStringLiteral("<table class=\"questions\"><thead><tr><th>№</th><th>Вопрос</th><th>Задан</th><th>Верно</th>"
                           "<th>Решаемость</th><th>Различение</th><th>Отметки</th></tr></thead><tbody>\n");
    for (std::size_t k = 0; k < node.questions.size(); ++k) {
        const QuestionStats& question = node.questions[k];
        html += QStringLiteral("<tr%1><td class=\"n\">%2</td><td>%3%4</td><td class=\"n\">%5</td><td class=\"n\">%6</td>"
                               "<td class=\"n\">%7</td><td class=\"n\">%8</td><td>%9</td></tr>\n")
                    .arg(question.flags.empty() ? QString() : QStringLiteral(" class=\"flagged\""), n(qint64(k + 1)),
                         escaped(question.text),
                         question.sameText > 1 ? QStringLiteral(" <b>×%1</b>").arg(question.sameText) : QString(),
                         n(question.asked), n(question.right),
                         decimalComma(question.facility, 1) + QStringLiteral("\u00A0%"),
                         question.discrimination ? decimalComma(*question.discrimination, 2) : QString(),
                         flagsText(question));
    }
    html += QStringLiteral("</tbody></table>\n<div class=\"chart wide\">")
            + QString::fromUtf8(chartSvg(questionChart(node), kWideChart)) + QStringLiteral("</div>\n");
}

void writeProblems(QString& html, const Report& report)
{
    html += QStringLiteral("<section class=\"problems\" id=\"problems\"><h2>Что не удалось прочитать</h2>\n"
                           "<table><thead><tr><th>Файл</th><th>Строка</th><th>Причина</th></tr></thead><tbody>\n");
    for (const Problem& problem : report.problems)
        html += QStringLiteral("<tr><td>%1</td><td class=\"n\">%2</td><td>%3</td></tr>\n")
                    .arg(escaped(shownPath(problem.file, report.folders)),
                         problem.line > 0 ? QString::number(problem.line) : QString(), escaped(problem.reason));
    html += QStringLiteral("</tbody></table></section>\n");
}

const char kLegend[] = R"(<h2>Как читать отчёт</h2>
<p><b>Решаемость</b> — доля учеников, ответивших на вопрос верно, из тех, кому он был задан.
<b>Различение</b> — коэффициент корреляции Пирсона между верным ответом на вопрос (1 или 0) и долей верных
ответов ученика на остальные его вопросы: близко к 1 — вопрос решают те, кто хорошо знает тему; около 0 —
вопрос не отличает знающих от незнающих; меньше 0 — знающие ошибаются в нём чаще, стоит проверить ключ.
Различение не считается, если вопрос задан меньше чем пяти ученикам или все ответили одинаково.</p>
<p><b>Отметки:</b> «слишком трудный» — решаемость меньше 20&nbsp;%, «слишком лёгкий» — больше 90&nbsp;%,
«плохо различает» — различение меньше 0,2.</p>
<p>Распределение оценок посчитано по всем строкам журнала так же, как в файле статистики. Протокол
отнесён к журналу своей папки, класса и варианта по началу темы (в имени протокола только первые 25 знаков
темы). Строка, которую ученик дописывает в журнал прямо сейчас, в отчёт не входит.</p>
)";

} // namespace

QString shownPath(const QString& file, const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QString relative = QDir(folder).relativeFilePath(file);
        if (!relative.startsWith(QStringLiteral("..")))
            return QDir::toNativeSeparators(relative);
    }
    return QDir::toNativeSeparators(file);
}

QByteArray reportHtml(const Report& report, const QDateTime& made)
{
    QString html;
    html.reserve(1 << 20);
    html += QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
                           "<title>Результаты тестов</title>\n<style>")
            + QString::fromUtf8(kStyle) + QStringLiteral("</style>\n</head>\n<body>\n<h1>Результаты тестов</h1>\n");
    QStringList folders;
    for (const QString& folder : report.folders)
        folders << escaped(QDir::toNativeSeparators(folder));
    html += QStringLiteral("<p>Папки: %1.<br>Составлен %2. Прочитано журналов: %3, протоколов: %4, файлов статистики: %5.</p>\n")
                .arg(folders.join(QStringLiteral(", ")), made.toString(QStringLiteral("dd.MM.yyyy H:mm")),
                     n(report.registers), n(report.protocols), n(report.statistics));
    if (!report.problems.empty())
        html += QStringLiteral("<p class=\"warn\">Не удалось прочитать файлов или строк: %1 — "
                               "<a href=\"#problems\">список в конце отчёта</a>. Остальное в отчёте.</p>\n")
                    .arg(report.problems.size());
    if (report.nodes.empty())
        html += QStringLiteral("<p>Результатов в этих папках нет.</p>\n");
    else
        writeOverview(html, report);

    for (std::size_t k = 0; k < report.nodes.size(); ++k) {
        const ReportNode& node = report.nodes[k];
        const bool newClass = k == 0 || report.nodes[k - 1].classPart != node.classPart;
        if (newClass) {
            if (k > 0)
                html += QStringLiteral("</section>\n");
            html += QStringLiteral("<section class=\"class\"><h2 id=\"%1\">Класс %2</h2>\n")
                        .arg(anchor(node.classPart), escaped(node.classPart));
        }
        html += QStringLiteral("<h3>%1</h3>\n").arg(quizTitle(node));
        writePupils(html, node);
        writeDistributions(html, node);
        writeQuestions(html, node);
    }
    if (!report.nodes.empty())
        html += QStringLiteral("</section>\n");
    if (!report.problems.empty())
        writeProblems(html, report);
    html += QString::fromUtf8(kLegend) + QStringLiteral("</body>\n</html>\n");
    return html.toUtf8();
}
