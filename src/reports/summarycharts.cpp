#include "reports/summarycharts.h"

#include "common/typefaces.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMostSteps = 6;
const QColor kTotalColour(0xb8, 0xcc, 0xe4);
const QColor kEffectiveColour(0x1f, 0x4e, 0x79);
const QColor kGridColour(0xd0, 0xd0, 0xd0);
const QColor kOperatorColours[] = {{0x1f, 0x77, 0xb4}, {0xff, 0x7f, 0x0e}, {0x2c, 0xa0, 0x2c},
                                   {0xd6, 0x27, 0x28}, {0x94, 0x67, 0xbd}, {0x8c, 0x56, 0x4b},
                                   {0xe3, 0x77, 0xc2}, {0x7f, 0x7f, 0x7f}};

// An operator's colour: eight colours, then the same with hatching.
QBrush OperatorBrush(qsizetype index)
{
    constexpr qsizetype colours = std::size(kOperatorColours);
    static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::BDiagPattern,
                                            Qt::DiagCrossPattern};
    return QBrush(kOperatorColours[index % colours],
                  styles[(index / colours) % qsizetype(std::size(styles))]);
}

QFont ChartFont()
{
    QFont font(FaceForFamily(u"新細明體"_s));
    font.setPointSize(8);
    return font;
}

QString AxisLabel(double value)
{
    return QString::number(value, 'g', 6);
}

// A swatch and its caption at x on the line whose middle is at y; gives the
// x after it.
double DrawKey(QPainter &painter, double x, double y, const QBrush &brush, const QString &text,
               const QFontMetricsF &metrics)
{
    const double side = metrics.height() * 0.7;
    painter.fillRect(QRectF(x, y - side / 2, side, side), brush);
    x += side + metrics.height() * 0.3;
    painter.setPen(Qt::black);
    painter.drawText(QPointF(x, y - metrics.height() / 2 + metrics.ascent()), text);
    return x + metrics.horizontalAdvance(text) + metrics.height();
}

// The plot's frame with the value axis: grid lines and their values on the left,
// and the axis's caption above them.
void DrawValueAxis(QPainter &painter, const QRectF &plot, const ChartAxis &axis,
                   const QString &caption, const QFontMetricsF &metrics, double unitsPerTwip)
{
    const int steps = int(std::lround(axis.top / axis.step));
    for (int i = 0; i <= steps; ++i) {
        const double y = plot.bottom() - plot.height() * i / steps;
        painter.setPen(QPen(kGridColour, 10 * unitsPerTwip));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        const QRectF label(plot.left() - 1000 * unitsPerTwip, y - metrics.height() / 2,
                           1000 * unitsPerTwip - 60 * unitsPerTwip, metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, AxisLabel(axis.step * i));
    }
    painter.drawText(QRectF(plot.left() - 1000 * unitsPerTwip, plot.top() - metrics.height() * 1.6,
                            2000 * unitsPerTwip, metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, caption);
    painter.setPen(QPen(Qt::black, 15 * unitsPerTwip));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
}

// The labels under n slots across the plot, as many as fit side by side.
void DrawSlotLabels(QPainter &painter, const QRectF &plot, const QStringList &labels,
                    const QFontMetricsF &metrics)
{
    if (labels.isEmpty())
        return;
    const double slot = plot.width() / labels.size();
    double widest = 0;
    for (const QString &label : labels)
        widest = std::max(widest, metrics.horizontalAdvance(label));
    const qsizetype every =
        std::max<qsizetype>(1, qsizetype(std::ceil((widest + metrics.height() * 0.5) / slot)));
    painter.setPen(Qt::black);
    for (qsizetype i = 0; i < labels.size(); i += every) {
        const QRectF box(plot.left() + slot * (i + 0.5) - widest, plot.bottom() + 20, 2 * widest,
                         metrics.height() * 1.2);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, labels[i]);
    }
}

double Y(const QRectF &plot, const ChartAxis &axis, double value)
{
    return plot.bottom() - plot.height() * std::clamp(value / axis.top, 0.0, 1.0);
}

} // namespace

ChartAxis ChartAxisFor(double highest, bool counts)
{
    if (!(highest > 0))
        return {};
    double power = std::pow(10.0, std::floor(std::log10(highest / kMostSteps)));
    if (counts)
        power = std::max(power, 1.0);
    for (;; power *= 10) {
        for (const double multiple : {1.0, 2.0, 5.0}) {
            const double step = multiple * power;
            const double steps = std::ceil(highest / step - 1e-9);
            if (steps <= kMostSteps)
                return {step, steps * step};
        }
    }
}

QString OperatorCaption(const OperatorFigures &figures)
{
    if (figures.name.isEmpty() && figures.id.isEmpty())
        return u"（未填）"_s;
    if (figures.id.isEmpty())
        return figures.name;
    if (figures.name.isEmpty())
        return figures.id;
    return u"%1（%2）"_s.arg(figures.name, figures.id);
}

void HoursChart::paint(QPainter &painter, const QRectF &box, double unitsPerTwip) const
{
    const QFont font = ChartFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double line = metrics.height();
    const QRectF plot =
        box.adjusted(900 * unitsPerTwip, line * 2.8, -100 * unitsPerTwip, -line * 1.6);

    double highest = 0;
    QStringList labels;
    for (const PeriodHours &p : m_periods) {
        highest = std::max({highest, p.hours, p.effective});
        labels.append(p.label);
    }
    const ChartAxis axis = ChartAxisFor(highest, false);
    DrawValueAxis(painter, plot, axis, u"小時"_s, metrics, unitsPerTwip);

    const double slot = m_periods.isEmpty() ? 0 : plot.width() / m_periods.size();
    for (qsizetype i = 0; i < m_periods.size(); ++i) {
        const double x = plot.left() + slot * i;
        const PeriodHours &p = m_periods[i];
        painter.fillRect(QRectF(QPointF(x + slot * 0.12, Y(plot, axis, p.hours)),
                                QPointF(x + slot * 0.88, plot.bottom())),
                         kTotalColour);
        painter.fillRect(QRectF(QPointF(x + slot * 0.3, Y(plot, axis, p.effective)),
                                QPointF(x + slot * 0.7, plot.bottom())),
                         kEffectiveColour);
    }
    DrawSlotLabels(painter, plot, labels, metrics);

    double x = plot.right() - metrics.horizontalAdvance(u"總耗時有效耗時"_s) - line * 3.5;
    const double y = box.top() + line * 0.6;
    x = DrawKey(painter, x, y, kTotalColour, u"總耗時"_s, metrics);
    DrawKey(painter, x, y, kEffectiveColour, u"有效耗時"_s, metrics);
}

void ScoreChart::paint(QPainter &painter, const QRectF &box, double unitsPerTwip) const
{
    const QFont font = ChartFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double line = metrics.height();

    // The key of the operators, in as many lines as it takes.
    const double keyLeft = box.left() + 900 * unitsPerTwip;
    double x = keyLeft;
    double y = box.top() + line * 0.6;
    for (qsizetype i = 0; i < m_operators.size(); ++i) {
        const QString caption = OperatorCaption(m_operators[i]);
        const double width = line * 1.3 + metrics.horizontalAdvance(caption);
        if (x > keyLeft && x + width > box.right()) {
            x = keyLeft;
            y += line * 1.2;
        }
        x = DrawKey(painter, x, y, OperatorBrush(i), caption, metrics);
    }
    const QRectF plot(QPointF(keyLeft, y + line * 2.2),
                      QPointF(box.right() - 100 * unitsPerTwip, box.bottom() - line * 1.6));

    double highest = 0;
    for (const OperatorFigures &o : m_operators)
        for (const qint64 runs : o.scores)
            highest = std::max(highest, double(runs));
    const ChartAxis axis = ChartAxisFor(highest, true);
    DrawValueAxis(painter, plot, axis, u"筆數"_s, metrics, unitsPerTwip);

    const double group = plot.width() / (kTopScore + 1);
    const double bar = m_operators.isEmpty() ? 0 : group * 0.8 / m_operators.size();
    QStringList labels;
    for (int score = 0; score <= kTopScore; ++score) {
        labels.append(QString::number(score));
        for (qsizetype i = 0; i < m_operators.size(); ++i) {
            const double left = plot.left() + group * (score + 0.1) + bar * i;
            const double runs = double(m_operators[i].scores[size_t(score)]);
            painter.fillRect(
                QRectF(QPointF(left, Y(plot, axis, runs)), QPointF(left + bar, plot.bottom())),
                OperatorBrush(i));
        }
    }
    DrawSlotLabels(painter, plot, labels, metrics);
}
