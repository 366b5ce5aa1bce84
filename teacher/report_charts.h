#pragma once

#include "report/analysis.h"

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QPainter;
class QRectF;

// A bar chart as the window shows it and the report prints it.
struct BarChart {
    QString title;
    QStringList labels;         // under each bar
    std::vector<double> values;
    QStringList valueTexts;     // over each bar, where there is room
    std::vector<QColor> colors; // of each bar
    double top = 0;             // the value at the top of the scale; 0: the largest value
};

// «Оценки»: the count of each mark with its share, 5 to 2.
BarChart markChart(const ReportNode& node);
// «Процент выполнения»: pupils in steps of ten per cent.
BarChart percentChart(const ReportNode& node);
// «Решаемость вопросов»: each question's facility by its number in the table; flagged ones stand out.
BarChart questionChart(const ReportNode& node);

// The one drawing of a chart, on the screen and into the report's file.
void paintBarChart(QPainter& painter, const QRectF& area, const BarChart& chart);

// The chart as an <svg> element to put in a web page.
QByteArray chartSvg(const BarChart& chart, QSize size);

// A chart on the screen.
class ChartView : public QWidget {
public:
    explicit ChartView(QWidget* parent = nullptr);
    void setChart(BarChart chart);
    const BarChart& chart() const { return chart_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BarChart chart_;
};
