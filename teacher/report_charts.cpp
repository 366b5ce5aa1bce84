#include "teacher/report_charts.h"

#include "report/report_csv.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {

const QColor kBar(0x4a, 0x7a, 0xb5);
const QColor kFlagged(0xd0, 0x63, 0x3c);
const QColor kGrid(0xdd, 0xdd, 0xdd);
const QColor kText(0x22, 0x22, 0x22);

QFont chartFont(double pixels, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(int(pixels));
    font.setBold(bold);
    return font;
}

QString share(std::int64_t count, std::int64_t total)
{
    return total > 0 ? decimalComma(100.0 * double(count) / double(total), 1) + QStringLiteral("\u00A0%") : QString();
}

// A step of the scale of 1, 2 or 5 times a power of ten, giving four or five lines.
double scaleStep(double top)
{
    const double rough = top / 4;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= rough)
            return std::max(factor * power, 1.0);
    return 10 * power;
}

QString scaleText(double value)
{
    return value == std::floor(value) ? QString::number(qint64(value)) : decimalComma(value, 1);
}

} // namespace

BarChart markChart(const ReportNode& node)
{
    const MarkCounts& marks = node.marks;
    const std::int64_t total = marks.total();
    BarChart chart;
    chart.title = QStringLiteral("Оценки (всего %1)").arg(total);
    chart.labels = {QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("2")};
    for (const std::int64_t count : {marks.count5, marks.count4, marks.count3, marks.count2}) {
        chart.values.push_back(double(count));
        chart.valueTexts << (count > 0 ? QStringLiteral("%1 (%2)").arg(count).arg(share(count, total)) : QStringLiteral("0"));
    }
    chart.colors = {QColor(0x3d, 0x9a, 0x5b), QColor(0x4a, 0x7a, 0xb5), QColor(0xe0, 0xa8, 0x3a), QColor(0xc8, 0x4b, 0x3c)};
    return chart;
}

BarChart percentChart(const ReportNode& node)
{
    BarChart chart;
    chart.title = QStringLiteral("Процент выполнения: учеников в каждом десятке");
    for (int k = 0; k < 10; ++k) {
        chart.labels << (k < 9 ? QStringLiteral("%1–%2").arg(k * 10).arg(k * 10 + 9) : QStringLiteral("90–100"));
        const int count = node.percentBins[std::size_t(k)];
        chart.values.push_back(count);
        chart.valueTexts << (count > 0 ? QString::number(count) : QString());
        chart.colors.push_back(kBar);
    }
    return chart;
}

BarChart questionChart(const ReportNode& node)
{
    BarChart chart;
    chart.title = QStringLiteral("Решаемость вопросов, % (по номерам таблицы; выделены вопросы с отметками)");
    chart.top = 100;
    for (std::size_t k = 0; k < node.questions.size(); ++k) {
        const QuestionStats& question = node.questions[k];
        chart.labels << QString::number(k + 1);
        chart.values.push_back(question.facility);
        chart.valueTexts << QString::number(qRound(question.facility));
        chart.colors.push_back(question.flags.empty() ? kBar : kFlagged);
    }
    return chart;
}

void paintBarChart(QPainter& painter, const QRectF& area, const BarChart& chart)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    const QFont titleFont = chartFont(13, true);
    const QFont textFont = chartFont(11);
    const QFontMetricsF titleMetrics(titleFont);
    const QFontMetricsF textMetrics(textFont);

    painter.setPen(kText);
    painter.setFont(titleFont);
    const QRectF titleRect(area.left() + 4, area.top() + 2, area.width() - 8, titleMetrics.height() + 4);
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter, chart.title);

    const double largest = chart.values.empty() ? 0 : *std::max_element(chart.values.begin(), chart.values.end());
    const double step = scaleStep(chart.top > 0 ? chart.top : std::max(largest, 1.0));
    const double top = chart.top > 0 ? chart.top : std::ceil(std::max(largest, 1.0) / step) * step;
    painter.setFont(textFont);
    const double scaleWidth = textMetrics.horizontalAdvance(scaleText(top)) + 8;
    const QRectF plot(area.left() + scaleWidth, titleRect.bottom() + textMetrics.height() + 4,
                      area.width() - scaleWidth - 8,
                      area.height() - titleRect.height() - 2 * textMetrics.height() - 12);
    if (plot.width() < 10 || plot.height() < 10) {
        painter.restore();
        return;
    }
    const auto yOf = [&](double value) { return plot.bottom() - plot.height() * std::clamp(value / top, 0.0, 1.0); };
    for (double value = 0; value <= top + step / 2; value += step) {
        painter.setPen(kGrid);
        painter.drawLine(QPointF(plot.left(), yOf(value)), QPointF(plot.right(), yOf(value)));
        painter.setPen(kText);
        painter.drawText(QRectF(area.left(), yOf(value) - textMetrics.height() / 2, scaleWidth - 4, textMetrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, scaleText(value));
    }

    const int bars = int(chart.values.size());
    if (bars == 0) {
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("нет данных"));
        painter.restore();
        return;
    }
    const double slot = plot.width() / bars;
    // Labels under the bars: every one where they fit, else every second, fifth or tenth.
    const double widestLabel = [&] {
        double widest = 0;
        for (const QString& label : chart.labels)
            widest = std::max(widest, textMetrics.horizontalAdvance(label));
        return widest + 4;
    }();
    int labelEvery = 1;
    for (const int every : {1, 2, 5, 10, 20, 50}) {
        labelEvery = every;
        if (slot * every >= widestLabel)
            break;
    }
    for (int k = 0; k < bars; ++k) {
        const double x = plot.left() + k * slot;
        const QRectF bar(x + slot * 0.15, yOf(chart.values[std::size_t(k)]), slot * 0.7,
                         plot.bottom() - yOf(chart.values[std::size_t(k)]));
        painter.fillRect(bar, k < int(chart.colors.size()) ? chart.colors[std::size_t(k)] : kBar);
        painter.setPen(kText);
        const QString value = k < chart.valueTexts.size() ? chart.valueTexts[k] : QString();
        if (!value.isEmpty() && textMetrics.horizontalAdvance(value) <= slot)
            painter.drawText(QRectF(x, bar.top() - textMetrics.height() - 1, slot, textMetrics.height()),
                             Qt::AlignHCenter | Qt::AlignBottom, value);
        if (k % labelEvery == 0 && k < chart.labels.size())
            painter.drawText(QRectF(x - slot * (labelEvery - 1) / 2, plot.bottom() + 2, slot * labelEvery,
                                    textMetrics.height()),
                             Qt::AlignHCenter | Qt::AlignTop, chart.labels[k]);
    }
    painter.setPen(kText);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.restore();
}

QByteArray chartSvg(const BarChart& chart, QSize size)
{
    QBuffer svg;
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(chart.title);
    {
        QPainter painter(&generator);
        paintBarChart(painter, QRectF(QPointF(0, 0), size), chart);
    }
    // A web page takes the element itself: no XML declaration, and no groups left empty.
    QByteArray bytes = svg.data();
    bytes.remove(0, bytes.indexOf("<svg"));
    QByteArray lean;
    lean.reserve(bytes.size());
    qsizetype from = 0;
    while (from < bytes.size()) {
        const qsizetype group = bytes.indexOf("<g ", from);
        if (group < 0) {
            lean += bytes.mid(from);
            break;
        }
        const qsizetype opened = bytes.indexOf('>', group);
        const qsizetype closed = bytes.indexOf("</g>", opened);
        lean += bytes.mid(from, group - from);
        if (opened >= 0 && closed >= 0 && bytes.mid(opened + 1, closed - opened - 1).trimmed().isEmpty()) {
            from = closed + 4;
            continue;
        }
        lean += bytes.mid(group, opened + 1 - group);
        from = opened + 1;
    }
    return lean;
}

ChartView::ChartView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(320, 200);
}

void ChartView::setChart(BarChart chart)
{
    chart_ = std::move(chart);
    update();
}

void ChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintBarChart(painter, rect(), chart_);
}
