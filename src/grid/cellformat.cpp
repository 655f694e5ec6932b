#include "grid/cellformat.h"

#include "common/numbertext.h"

#include <cmath>

int NumberFormatDecimals(const QString &format)
{
    const QString f = format.trimmed();
    if (f == QLatin1String("0"))
        return 0;
    if (f.startsWith(QLatin1String("0.")) && f.size() > 2) {
        const QString decimals = f.mid(2);
        if (decimals.count(QLatin1Char('0')) == decimals.size())
            return int(decimals.size());
    }
    return -1;
}

bool IsNumericCellText(const QString &text)
{
    return ParseNumericText(text).has_value();
}

QString DisplayCellText(const QString &text, int decimals)
{
    if (decimals < 0 || text.contains(QLatin1Char(',')))
        return text;
    const auto value = ParseNumericText(text);
    if (!value)
        return text;
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(*value * scale) / scale;
    if (rounded == 0.0)
        rounded = 0.0; // no "-0.0" for small negatives
    return QString::number(rounded, 'f', decimals);
}

Qt::Alignment CellAlignment(const QString &text, CellAlign align)
{
    Qt::Alignment horizontal;
    switch (align) {
    case CellAlign::Left:
        horizontal = Qt::AlignLeft;
        break;
    case CellAlign::Right:
        horizontal = Qt::AlignRight;
        break;
    case CellAlign::Centre:
        horizontal = Qt::AlignHCenter;
        break;
    case CellAlign::General:
        horizontal = IsNumericCellText(text) ? Qt::AlignRight : Qt::AlignLeft;
        break;
    }
    return horizontal | Qt::AlignVCenter;
}
