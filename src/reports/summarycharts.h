#pragma once

#include "report_engine/reportlayout.h"
#include "reports/runsummary.h"

#include <QVector>

// The two charts of a press's summary page, drawn with QPainter into their box.

// The scale of a chart's value axis: from 0 to top in steps of step, the step 1,
// 2 or 5 times a power of ten (at least 1 for counts), in as few steps as reach
// the highest value, at most six. Nothing to show gives one step to 1.
struct ChartAxis
{
    double step = 1;
    double top = 1;
};
ChartAxis ChartAxisFor(double highest, bool counts);

// Effective against total hours per day (or month): for each period a light bar
// of the total hours and a dark one of the effective hours inside it, with the
// hours' axis, the periods under the bars and a key.
class HoursChart : public ReportDrawing
{
public:
    explicit HoursChart(QVector<PeriodHours> periods) : m_periods(std::move(periods)) {}
    void paint(QPainter &painter, const QRectF &box, double unitsPerTwip) const override;

private:
    QVector<PeriodHours> m_periods;
};

// Each operator's runs per score 0 to 10: for each score a group of bars, one per
// operator in the operator's colour, with the runs' axis and a key of the names.
class ScoreChart : public ReportDrawing
{
public:
    explicit ScoreChart(QVector<OperatorFigures> operators) : m_operators(std::move(operators)) {}
    void paint(QPainter &painter, const QRectF &box, double unitsPerTwip) const override;

private:
    QVector<OperatorFigures> m_operators;
};

// How an operator is named on the summary: the name, with the code in brackets
// when there is one, "（未填）" for a run without either.
QString OperatorCaption(const OperatorFigures &figures);
